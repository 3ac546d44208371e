// The selections of the reports on a shop of size: 100,000 customers and
// 200,000 vehicles.

#include "../data/BenchDataFolder.h"

#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "reports/core/CustomerSelection.h"
#include "reports/core/ReportPages.h"
#include "reports/core/SelectedRows.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kv::reports;

namespace {

// The shop's data folder, opened once for every benchmark of the program.
kv::data::DataStore& store()
{
    static kv::data::DataStore shop;
    static const bool ready = shop.open(kv::bench::benchDataFolder());
    return ready ? shop : (std::abort(), shop);
}

// Every customer in reading order, selected and its pages counted (the
// customer list: 13 a page).
void BM_AllCustomersInReadingOrder(benchmark::State& state)
{
    const CustomerSelection selection{.order = CustomerSelection::Order::Reading};
    int pages = 0;
    for (auto _ : state) {
        SelectedRows<CDaoKokSet> rows(store(), selection.filter(), selection.sort());
        pages = ReportPages::ofUnits(rows.count(), 13);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_AllCustomersInReadingOrder)->Unit(benchmark::kMillisecond);

// The same customers read one by one, as their pages are painted.
void BM_WalkAllCustomersInReadingOrder(benchmark::State& state)
{
    const CustomerSelection selection{.order = CustomerSelection::Order::Reading};
    int read = 0;
    for (auto _ : state) {
        SelectedRows<CDaoKokSet> rows(store(), selection.filter(), selection.sort());
        kv::data::ReadSnapshot snapshot(store().connectionFor(CDaoKokSet::tableDef()));
        read = 0;
        for (int i = 0; i < rows.count(); ++i)
            read += rows.at(i) ? 1 : 0;
    }
    state.counters["rows"] = read;
}
BENCHMARK(BM_WalkAllCustomersInReadingOrder)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
