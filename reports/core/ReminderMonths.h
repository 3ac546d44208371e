#pragma once

#include "reports/core/ReportRefusal.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kv::reports {

// The span of months of the inspection reminders, typed as "YY/MM" (years
// below 51 are 20YY, the others 19YY), and the vehicles whose inspection
// expires in it.
class ReminderMonths {
public:
    // The month after today's as "YY/MM" (after December comes January of
    // the next year): what both month fields open with.
    static QString nextMonth(const QDate& today);
    // Day 1 of a typed month; none for anything but "YY/MM" with a month of
    // 1 to 12.
    static std::optional<QDate> firstDay(const QString& month);
    // The last day of a typed month (2024-02-29 for "24/02").
    static std::optional<QDate> lastDay(const QString& month);
    // Both months must be months (a refused month field is to be cleared),
    // and the span must not end before it starts (the start month to be
    // corrected, as the start of every range is).
    static std::optional<ReportRefusal> check(const QString& start, const QString& end);

    // Vehicles whose expiry lies from the first day through the whole of
    // the last day, placeholders left out. A vehicle without an expiry
    // (the empty date) lies before every span.
    static QString filter(const QDate& first, const QDate& last);
    static QString sort() { return QStringLiteral("Syaman, KokCode, CarCode"); }
};

} // namespace kv::reports
