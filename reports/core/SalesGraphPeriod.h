#pragma once

#include "reports/core/ReportRefusal.h"

#include <QDate>
#include <QString>

#include <optional>
#include <variant>

namespace kv::reports {

// The period of the sales analysis graph, typed as two "YY/MM" months, at
// most twelve months long.
class SalesGraphPeriod {
public:
    enum GraphType { Pie = 0, BarsByCategory = 1, BarsByMonth = 2 };

    struct Period {
        QDate first;        // day 1 of the start month
        QDate last;         // the last day of the end month
        QString startMonth; // as the start field is to show it
    };

    // "YY/MM" of the month.
    static QString monthText(const QDate& month);
    // The start of the twelve months ending with the end month: January of
    // the same year for December, else the month after it a year before.
    // Empty for no month.
    static QString twelveMonthsStart(const QString& endMonth);

    // The show button's checks in their order: the start month, the end
    // month (for the bars by month first giving the start of its twelve
    // months), the end not before the start, at most twelve months. A
    // refused month field is to be cleared.
    static std::variant<Period, ReportRefusal> check(GraphType type, const QString& startMonth,
                                                     const QString& endMonth);
};

} // namespace kv::reports
