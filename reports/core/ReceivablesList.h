#pragma once

#include "reports/core/CustomerLedgers.h"

#include <QDate>

#include <vector>

namespace kv::data {
class DataStore;
}

namespace kv::reports {

// What every customer owes at the end of a day (売掛残金一覧): KuriZan and
// the GTot of every ledger row through that day, summed in 64 bits.
struct ReceivablesList {
    static constexpr int kCustomersPerPage = 20;

    struct Row {
        ListedCustomer customer;
        qint64 balance = 0;
    };

    bool ok = false;
    QString message;
    std::vector<Row> rows;

    qint64 total() const;
    int pageCount() const;

    // Every real customer in code or reading order; a balance beyond what a
    // balance column holds stops with the overflow message.
    static ReceivablesList build(data::DataStore& store, CustomerSelection::Order order, const QDate& lastDay);
};

} // namespace kv::reports
