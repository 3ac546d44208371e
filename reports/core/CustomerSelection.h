#pragma once

#include "reports/core/ReportRefusal.h"

#include <QString>

#include <optional>

namespace kv::reports {

// Which customers a report of the customer file takes, and in which order:
// a code range in code order or a reading range in reading order, never a
// placeholder, and only those with every ticked greeting flag set.
struct CustomerSelection {
    enum class Order { Code = 0, Reading = 1 };

    Order order = Order::Code;
    int codeFrom = 1;
    int codeTo = 999999;
    QString readingFrom = QStringLiteral(" ");
    QString readingTo = QStringLiteral("ﾝ");
    bool summerGreeting = false;  // 暑中見舞い
    bool newYearCard = false;     // 年賀状
    bool summerGift = false;      // お中元
    bool yearEndGift = false;     // お歳暮
    // The ledger reports take, when it is not 0, only customers who close
    // on this day (any of Shime1 to Shime4).
    int closingDay = 0;

    // The filter of the customer table; literals are bound by the engine.
    QString filter() const;
    QString sort() const;
    // The code range and then the reading range must not end below their
    // start.
    std::optional<ReportRefusal> check() const;
};

} // namespace kv::reports
