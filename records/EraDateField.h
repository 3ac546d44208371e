#pragma once

#include "records/FieldCheckResult.h"

#include <QString>
#include <QStringList>

namespace kv::records {

// A date as shown on the panel: the index into the field's era list (0 is
// the blank entry) and the "YY/MM/DD" text.
struct ShownDate {
    int eraIndex = 0;
    QString text;

    bool operator==(const ShownDate&) const = default;
};

// A date field read for recording.
struct DateReading {
    enum class Outcome {
        Empty,   // no era and no text: the empty date
        Date,    // dayNumber holds the date
        NoText,  // an era without a date
        NoEra,   // a date without an era
        Invalid, // no Gregorian date
    };
    Outcome outcome = Outcome::Empty;
    double dayNumber = 0;
    QString message; // for the failures
};

// A panel date with an era list: the birthday (明治 … 令和) or a vehicle
// date (昭和 … 令和), a full date or a year and month (stored with day 1).
class EraDateField {
public:
    enum class Eras { Birthday, Vehicle };
    enum class Precision { Day, YearMonth };

    EraDateField(Eras eras, Precision precision);

    static const EraDateField& birthday();
    static const EraDateField& registration(); // 登録年月日
    static const EraDateField& firstRegistration(); // 初度登録年月

    // The era list's entries, blank first.
    QStringList eraEntries() const;
    // List index of an era number of the common library, 0 when the list
    // lacks that era.
    int indexOfEra(int era) const;
    // Era number of a list index, -1 for the blank entry or outside.
    int eraOfIndex(int index) const;

    // A stored day number as shown; the empty date and anything that is no
    // real date show empty with a blank era.
    ShownDate show(double dayNumber) const;
    // The check on leaving the text field.
    FieldCheckResult checkOnLeave(const QString& text) const;
    // The era and text read back into a day number.
    DateReading read(int eraIndex, const QString& text) const;

    bool yearMonthOnly() const { return m_precision == Precision::YearMonth; }

    static QString invalidDateMessage(); // "年月日が異常です！"

private:
    Eras m_eras;
    Precision m_precision;
};

// The expiry dates 車検満了日 and 任保満了日: no era list; a typed era year
// 21 to 31 is 平成, any other 令和.
class ExpiryDateField {
public:
    static int eraOfYear(int eraYear);
    static QString show(double dayNumber);
    static FieldCheckResult checkOnLeave(const QString& text);
    static DateReading read(const QString& text);
};

} // namespace kv::records
