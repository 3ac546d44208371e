#pragma once

#include "reports/core/ClosingPeriod.h"
#include "reports/core/CustomerLedgers.h"

#include <vector>

namespace kv::data {
class DataStore;
}

namespace kv::reports {

// 紹介元顧客ランキング: for each customer, the customers whose referrer
// (SyoukaiKokCode) it is, and what those introduced customers bought in a
// period. Placeholders neither refer nor are counted.
struct ReferrerRanking {
    static constexpr int kRowsPerPage = 13;

    // The dialog's choice of three.
    enum class Order { ByCount = 0, BySales = 1, ByCode = 2 };

    struct Request {
        Order order = Order::ByCount;
        // At most this many rows (1 to 9999).
        int maxRows = 9999;
        // Only referrers of at least this many customers (1 to 999999).
        int minCount = 1;
        // The days whose sales count.
        ReportPeriod period;
    };

    struct Row {
        ListedCustomer referrer;
        int introduced = 0;
        qint64 sales = 0;
    };

    bool ok = false;
    QString message;
    std::vector<Row> rows;

    int pageCount() const;

    // By count or sales the largest first, equal ones by code.
    static ReferrerRanking build(data::DataStore& store, const Request& request);
};

} // namespace kv::reports
