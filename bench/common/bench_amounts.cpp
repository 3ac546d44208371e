#include "common/KVCommon.h"

#include <benchmark/benchmark.h>

#include <array>

// The amount functions run for every cell of a slip or ledger page on each
// redraw; these show what one call costs.

namespace {

constexpr std::array<int, 8> Amounts{0, 7, -123, 1234, -1234567, 45678, 999999999, -999999999};

void BM_Kanma(benchmark::State& state)
{
    QString out;
    size_t i = 0;
    for (auto _ : state) {
        Kanma(out, Amounts[i++ % Amounts.size()]);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Kanma);

void BM_KanmaToInt(benchmark::State& state)
{
    const std::array<QString, 4> texts{QStringLiteral("1,234"), QStringLiteral("-1,234,567"),
                                       QStringLiteral("999,999,999"), QStringLiteral("12x")};
    size_t i = 0;
    int flag = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(KanmaToInt(texts[i++ % texts.size()], &flag));
}
BENCHMARK(BM_KanmaToInt);

void BM_Kanmadb2(benchmark::State& state)
{
    QString out;
    double value = 1234567.891;
    for (auto _ : state) {
        Kanmadb2(out, value, 2);
        benchmark::DoNotOptimize(out);
        value += 0.01;
    }
}
BENCHMARK(BM_Kanmadb2);

void BM_HasuuCalc(benchmark::State& state)
{
    double value = 1234.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(HasuuCalc(value, 2, 1));
        value += 0.25;
    }
}
BENCHMARK(BM_HasuuCalc);

} // namespace

BENCHMARK_MAIN();
