// The ledger lists on the generated shop of full size (100,000 customers,
// 1,000,000 ledger rows): the billing list of every customer selected and
// its pages counted, and the receivables of every customer into one PDF,
// each beside raw SQLite doing the same sums in the same run.

#include "bench/data/GeneratedDataFolder.h"

#include "data/engine/DayNumber.h"
#include "data/tables/DataStore.h"
#include "print/PrintRunner.h"
#include "reports/core/BillingStatements.h"
#include "reports/core/LedgerTables.h"
#include "reports/core/ReceivablesList.h"
#include "reports/print/TableListPrintout.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QGuiApplication>

#include <cstdlib>

using namespace kv::reports;

namespace {

// The generator's reference day is 2026-04-01: the month closed on the
// 20th before it.
const ReportPeriod kPeriod{QDate(2026, 2, 21), QDate(2026, 3, 20)};

kv::data::DataStore& store()
{
    return kv::bench::ledgerShop();
}

sqlite3* raw()
{
    static sqlite3* db = [] {
        sqlite3* handle = nullptr;
        const QString folder = store().dataFolder();
        if (sqlite3_open_v2(QDir(folder).filePath("013.mdb").toUtf8().constData(), &handle,
                            SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK)
            std::abort();
        const std::pair<const char*, const char*> files[] = {{"ATTACH ? AS f010", "010.mdb"},
                                                              {"ATTACH ? AS f014", "014.mdb"}};
        for (const auto& [attach, file] : files) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(handle, attach, -1, &statement, nullptr);
            const QByteArray path = QDir(folder).filePath(QString::fromLatin1(file)).toUtf8();
            sqlite3_bind_text(statement, 1, path.constData(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(statement) != SQLITE_DONE)
                std::abort();
            sqlite3_finalize(statement);
        }
        return handle;
    }();
    return db;
}

void BM_BillingListAllCustomers(benchmark::State& state)
{
    BillingRequest request;
    request.period = kPeriod;
    int pages = 0;
    size_t billed = 0;
    for (auto _ : state) {
        const BillingOutcome outcome = BillingStatements::run(store(), request);
        if (!outcome.ok)
            std::abort();
        billed = outcome.customers.size();
        pages = outcome.pageCount();
    }
    state.counters["customers"] = double(billed);
    state.counters["pages"] = pages;
}
BENCHMARK(BM_BillingListAllCustomers)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same figures summed by SQLite: carry-over, receipts, period amount
// and sales count of every real customer with its balance record.
void BM_RawSqliteBillingSums(benchmark::State& state)
{
    const char* sql =
        "SELECT k.KokCode, z.KuriZan, t.carried, t.receipts, t.amount, t.sales FROM f010.Kok k "
        "JOIN f014.Zan z ON z.KokCode = k.KokCode LEFT JOIN ("
        " SELECT KokCode, SUM(CASE WHEN Date < ?1 THEN GTot ELSE 0 END) AS carried,"
        " SUM(CASE WHEN Date >= ?1 THEN Nyu + NyuCho ELSE 0 END) AS receipts,"
        " SUM(CASE WHEN Date >= ?1 AND ToriKbn = 0 THEN GTot + NyuCho + Nyu"
        "          WHEN Date >= ?1 AND ToriKbn = 1 THEN GTot ELSE 0 END) AS amount,"
        " SUM(CASE WHEN Date >= ?1 AND ToriKbn <> 2 THEN 1 ELSE 0 END) AS sales"
        " FROM ToriJnl WHERE Date <= ?2 GROUP BY KokCode) t ON t.KokCode = k.KokCode "
        "WHERE k.UserName1 <> '新規作成中' COLLATE BINARY ORDER BY k.KokCode";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw(), sql, -1, &statement, nullptr) != SQLITE_OK)
        std::abort();
    qint64 billed = 0;
    for (auto _ : state) {
        sqlite3_bind_double(statement, 1, kPeriod.firstDayNumber());
        sqlite3_bind_double(statement, 2, kPeriod.lastDayNumber());
        billed = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const qint64 amount = sqlite3_column_int64(statement, 1) + sqlite3_column_int64(statement, 2)
                - sqlite3_column_int64(statement, 3) + sqlite3_column_int64(statement, 4);
            if (amount != 0)
                ++billed;
        }
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    state.counters["customers"] = double(billed);
}
BENCHMARK(BM_RawSqliteBillingSums)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReceivablesAllCustomersToPdf(benchmark::State& state)
{
    const QString path = QDir::temp().filePath("kv-bench-receivables.pdf");
    int pages = 0;
    for (auto _ : state) {
        const ReceivablesList owed =
            ReceivablesList::build(store(), CustomerSelection::Order::Code, kPeriod.last);
        if (!owed.ok)
            std::abort();
        auto table = LedgerTables::receivables(owed, CustomerSelection::Order::Code, kPeriod.last);
        TableListPrintout printout(*table, ReceivablesList::kCustomersPerPage, QDate(2026, 4, 1));
        if (!kv::print::PrintRunner::writePdf(printout, path))
            std::abort();
        pages = printout.pageCount();
    }
    QFile::remove(path);
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ReceivablesAllCustomersToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RawSqliteReceivableSums(benchmark::State& state)
{
    const char* sql = "SELECT k.KokCode, z.KuriZan + IFNULL(t.owed, 0) FROM f010.Kok k "
                      "JOIN f014.Zan z ON z.KokCode = k.KokCode LEFT JOIN ("
                      " SELECT KokCode, SUM(GTot) AS owed FROM ToriJnl WHERE Date <= ?1 GROUP BY KokCode) t"
                      " ON t.KokCode = k.KokCode WHERE k.UserName1 <> '新規作成中' COLLATE BINARY ORDER BY k.KokCode";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw(), sql, -1, &statement, nullptr) != SQLITE_OK)
        std::abort();
    qint64 total = 0;
    for (auto _ : state) {
        sqlite3_bind_double(statement, 1, kPeriod.lastDayNumber());
        total = 0;
        while (sqlite3_step(statement) == SQLITE_ROW)
            total += sqlite3_column_int64(statement, 1);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    state.counters["total"] = double(total);
}
BENCHMARK(BM_RawSqliteReceivableSums)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    // The folder is generated (or found) and opened before any timing.
    store();
    raw();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
