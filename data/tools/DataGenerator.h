#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>

namespace kv::data {

// Fills a fresh data folder with many realistic records, for benchmarks
// and for trying the program on a shop of size. Rows are written in code
// order through prepared inserts, one transaction per table.
class DataGenerator {
public:
    struct Size {
        int customers = 100000;
        int vehicles = 200000;
        int slips = 400000;
        int lines = 4000000;
        // Ledger transactions; kAutomatic: one for each delivery note and
        // one for the payment of each sale on credit that has come due.
        int ledgerRows = kAutomatic;
    };
    static constexpr int kAutomatic = -1;
    // What one customer's ledger holds.
    static constexpr int kMaxLedgerRowsPerCustomer = 1000;
    struct Options {
        Size size;
        std::uint64_t seed = 1;
        QDate today = QDate::currentDate();
        // Told of each table as it is done ("車輌 200000 件").
        std::function<void(const QString&)> progress;
    };

    // Checks the sizes, creates the folder (refusing an existing one) and
    // writes: every customer's vehicles (every customer owns one while
    // there are enough vehicles), slips of random vehicles billed to their
    // owners, issued over the last five years in slip-number order, and the
    // lines spread evenly over the slips. The record counters and the
    // slip-number counter are set to what was written. The ledger takes,
    // while its count lasts, the row of each delivery note followed by its
    // payment (a week to six weeks later, unless that is after today), then
    // sales typed in the ledger at random customers and days, those on
    // credit followed by their payment in the same way. Balance
    // records carry nothing forward, so a ledger's balance is the sum of
    // its rows. A failure removes
    // the folder again, so no half-filled folder passes for a full one.
    static bool generate(const QString& dataFolder, const Options& options, QString* error = nullptr);

    // Why the sizes cannot be generated; empty when they can.
    static QString checkSize(const Size& size);
};

} // namespace kv::data
