#pragma once

#include <QDate>
#include <QString>

namespace kv::records {

// How the certificate's texts are read: full-width digits and letters and
// the ideographic space become what the panel stores (NFKC), dates come in
// era parts with padding spaces and "元" for the first year.
namespace CertificateText {

// NFKC, with leading and trailing spaces dropped.
QString normalised(const QString& text);

enum class DateOutcome { Absent, Date, Invalid };

// An era date from its parts ("令和", " 5", "4", " 1"; the era may hold an
// ideographic space); day empty for a year and month, read as day 1. All
// parts empty is Absent; an unknown era or an impossible date is Invalid.
DateOutcome eraDate(const QString& era, const QString& year, const QString& month,
                    const QString& day, bool yearMonth, QDate* date);

// Two-digit western years as the panel reads them: below 51 is 20YY.
int fullYear(int twoDigitYear);

} // namespace CertificateText

} // namespace kv::records
