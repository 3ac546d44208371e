#include "bench/data/GeneratedDataFolder.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataGenerator.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

// How fast the generator writes a shop: one hundredth of the benchmark
// folder (1,000 customers, 2,000 vehicles, 4,000 slips, 40,000 lines) per
// iteration, schema and settings included.
static void GenerateHundredthOfBenchFolder(benchmark::State& state)
{
    kv::data::DataGenerator::Options options;
    options.size = {1000, 2000, 4000, 40000};
    options.today = QDate(2026, 4, 1);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir temp;
        const QString folder = QDir(temp.path()).filePath(QStringLiteral("data"));
        state.ResumeTiming();
        QString error;
        if (!kv::data::DataGenerator::generate(folder, options, &error)) {
            state.SkipWithError(qUtf8Printable(error));
            break;
        }
    }
    state.counters["lines/s"] =
        benchmark::Counter(double(options.size.lines) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GenerateHundredthOfBenchFolder)->Unit(benchmark::kMillisecond);

// Opening every database file of the full-size generated folder, as the
// program does at start.
static void OpenFullSizeGeneratedFolder(benchmark::State& state)
{
    const QString folder = kv::bench::generatedDataFolder();
    for (auto _ : state) {
        kv::data::DataStore store;
        if (!store.open(folder)) {
            state.SkipWithError(qUtf8Printable(store.lastError().description));
            break;
        }
        benchmark::DoNotOptimize(store.mainConnection().handle());
    }
}
BENCHMARK(OpenFullSizeGeneratedFolder)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
