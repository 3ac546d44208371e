// The sales analysis on the generated shop of full size with 1,000,000
// ledger rows: the list's summary and the graph's figures for twelve
// months, beside raw SQLite summing the same rows in the same run.

#include "bench/data/GeneratedDataFolder.h"

#include "data/engine/DayNumber.h"
#include "data/tables/DataStore.h"
#include "reports/core/SalesByCategory.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>

using namespace kv::reports;

namespace {

// The generator's reference day is 2026-04-01: the twelve months before it.
const QDate kFirst(2025, 4, 1);
const QDate kLast(2026, 3, 31);

kv::data::DataStore& store()
{
    return kv::bench::ledgerShop();
}

kv::data::Connection& db()
{
    return store().mainConnection();
}

const std::vector<SalesCategory>& slotted()
{
    static const std::vector<SalesCategory> categories = [] {
        QString error;
        const auto all = SalesByCategory::loadCategories(db(), &error);
        if (!all)
            std::abort();
        return SalesByCategory::slotCategories(*all);
    }();
    return categories;
}

void BM_SalesSummaryTwelveMonths(benchmark::State& state)
{
    qint64 count = 0;
    for (auto _ : state) {
        const auto figures = SalesByCategory::byCategory(db(), slotted(), kFirst, kLast,
                                                         SalesByCategory::Sources::Ledger, nullptr);
        if (!figures || !figures->ok())
            std::abort();
        count = figures->grand().count;
    }
    state.counters["rows"] = double(count);
}
BENCHMARK(BM_SalesSummaryTwelveMonths)->Unit(benchmark::kMillisecond);

// What the graph window computes when it is shown: the categories, then
// the pie's (and the bars') figures, or the twelve months of one category.
void BM_GraphFiguresTwelveMonths(benchmark::State& state)
{
    const bool byMonth = state.range(0) == 1;
    qint64 count = 0;
    for (auto _ : state) {
        const auto all = SalesByCategory::loadCategories(db(), nullptr);
        const auto taken = SalesByCategory::slotCategories(*all);
        const auto figures = byMonth ? SalesByCategory::byMonth(db(), taken.front(), kFirst,
                                                                SalesByCategory::Sources::LedgerAndReport, nullptr)
                                     : SalesByCategory::byCategory(db(), taken, kFirst, kLast,
                                                                   SalesByCategory::Sources::LedgerAndReport, nullptr);
        if (!figures || !figures->ok())
            std::abort();
        count = figures->grand().count;
    }
    state.counters["rows"] = double(count);
}
BENCHMARK(BM_GraphFiguresTwelveMonths)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Raw SQLite: the same sums over the whole period in one grouped query of
// the categories that take a slot.
void BM_RawSqliteSummaryTwelveMonths(benchmark::State& state)
{
    const QByteArray sql = "SELECT NyuukoKbnCode, count(*), sum(Buhin), sum(Koutin), sum(Sonota), "
                           "sum(HikaSyohi + KaSyohi), sum(Zei + SyoZei), sum(Tot) FROM f013.ToriJnl "
                           "WHERE Date BETWEEN ?1 AND ?2 AND NyuukoKbnCode IN (SELECT NyuukoKbnCode "
                           "FROM f004.NyuukoKbn WHERE NyuukoKind <> 99) GROUP BY NyuukoKbnCode";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db().handle(), sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        std::abort();
    qint64 count = 0;
    for (auto _ : state) {
        sqlite3_bind_double(statement, 1, kv::data::toDayNumber(kFirst, QTime(0, 0)));
        sqlite3_bind_double(statement, 2, kv::data::toDayNumber(kLast, QTime(23, 59, 59)));
        count = 0;
        while (sqlite3_step(statement) == SQLITE_ROW)
            count += sqlite3_column_int64(statement, 1);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    state.counters["rows"] = double(count);
}
BENCHMARK(BM_RawSqliteSummaryTwelveMonths)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The folder is generated (or found) and opened before any timing.
    store();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
