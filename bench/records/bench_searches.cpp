// The searches on a shop of size: 100,000 customers and 200,000 vehicles.

#include "../data/BenchDataFolder.h"

#include "data/tables/DataStore.h"
#include "records/search/CustomerSearch.h"
#include "records/search/QueryFormSearch.h"
#include "records/search/ReadingRange.h"
#include "records/search/VehicleSearch.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kv::records::search;

namespace {

kv::data::DataStore& store()
{
    static kv::data::DataStore opened;
    static const bool ok = opened.open(kv::bench::benchDataFolder());
    if (!ok)
        std::abort();
    return opened;
}

// F1: the customer found by code.
void BM_CustomerByCode(benchmark::State& state)
{
    CustomerSearch search(store());
    int code = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.ownedVehicleCount(code));
        code = code % 100000 + 7919;
    }
}
BENCHMARK(BM_CustomerByCode)->Unit(benchmark::kMicrosecond);

// F2: a family name's reading, listed for CDFuri.
void BM_ReadingSearch(benchmark::State& state)
{
    CustomerSearch search(store());
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto list = search.inReadingRange(ReadingRange::startingWith(QString::fromUtf8("ｶﾄｳ")),
                                                Capacity::kReadingMatches, true);
        rows = list.rows.size();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ReadingSearch)->Unit(benchmark::kMillisecond);

// F2 with a full name: few matches.
void BM_ReadingSearchNarrow(benchmark::State& state)
{
    CustomerSearch search(store());
    std::size_t rows = 0;
    for (auto _ : state)
        rows = search.inReadingRange(ReadingRange::startingWith(QString::fromUtf8("ｶﾄｳ ﾀﾛｳ")),
                                     Capacity::kReadingMatches, true).rows.size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ReadingSearchNarrow)->Unit(benchmark::kMillisecond);

// Ctrl+F1: one kana row, cut at the list's capacity.
void BM_ReadingIndexRow(benchmark::State& state)
{
    CustomerSearch search(store());
    std::size_t rows = 0;
    int total = 0;
    for (auto _ : state) {
        const auto list = search.inReadingRange(ReadingRange::kanaRow(int(state.range(0))),
                                                Capacity::kReadingIndex, false);
        rows = list.rows.size();
        total = list.total;
    }
    state.counters["rows"] = double(rows);
    state.counters["matched"] = double(total);
}
BENCHMARK(BM_ReadingIndexRow)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// F4: the vehicles with one plate number part.
void BM_PlateSearch(benchmark::State& state)
{
    VehicleSearch search(store(), {});
    int number = 1;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = search.withPlateNumber(number, Capacity::kPlateMatches).rows.size();
        number = number % 9999 + 37;
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_PlateSearch)->Unit(benchmark::kMicrosecond);

// F5: the vehicles of one customer.
void BM_OwnedVehicles(benchmark::State& state)
{
    VehicleSearch search(store(), {});
    int code = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.ofCustomer(code, Capacity::kOwnedVehicles));
        code = code % 100000 + 7919;
    }
}
BENCHMARK(BM_OwnedVehicles)->Unit(benchmark::kMicrosecond);

// Ctrl+F2: a name pattern over every customer (a Like is a scan by nature).
void BM_QueryByFormName(benchmark::State& state)
{
    QueryFormSearch search(store(), {});
    QueryFormValues values;
    values.setText(QStringLiteral("UserName1"), QString::fromUtf8("加藤*"));
    std::size_t rows = 0;
    for (auto _ : state)
        rows = search.run(values, {}, QueryConditions::Joiner::And).list.rows.size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_QueryByFormName)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
