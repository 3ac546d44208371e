#pragma once

#include <QDate>
#include <QString>

namespace kv::data {

// A handful of customers with their vehicles, the shop's usual work and
// parts items, the vehicles' models in the model pick list and a year of
// sales and payments in the ledger, written
// through the typed recordsets into a fresh data folder, so that the
// program can be tried on something that looks real.
class DemoData {
public:
    static constexpr int kCustomers = 8;

    // Inspection and insurance dates are spread around today. The record
    // counters are set to the new counts.
    static bool write(const QString& dataFolder, QDate today, QString* error = nullptr);
};

} // namespace kv::data
