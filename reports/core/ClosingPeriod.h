#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace kv::reports {

// The days a ledger report covers, both whole.
struct ReportPeriod {
    QDate first;
    QDate last;
    bool operator==(const ReportPeriod&) const = default;

    // Day numbers of the period's bounds: the start of the first day and
    // the last second of the last day.
    double firstDayNumber() const;
    double lastDayNumber() const;
    // Ledger rows from the earliest day the program knows through the last
    // day of the period ("Date Between ... And ...").
    QString ledgerFilter() const;
};

// The period of a typed closing date: the typed day is the closing day. A
// day the month lacks is lowered until it exists (31 in a 30-day month is
// the 30th), at most three times. The period ends on that date and starts
// on the day after the closing day in the month before, or on the first of
// the closing date's month when the closing day is 31 or that day does not
// exist in the month before (30 after a 28-day February), so that the
// period never reaches into the month before the month before.
namespace ClosingPeriod {

// year (4 digits), month 1 to 12 and day 1 to 31 as typed; none for a
// month or day out of range.
std::optional<ReportPeriod> of(int year, int month, int day);

} // namespace ClosingPeriod

} // namespace kv::reports
