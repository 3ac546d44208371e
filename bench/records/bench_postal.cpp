// The postal search over all 141,389 codes: a code to its address and an
// address to its code. KV_POSTAL_DIR names a folder with the real postal
// files (scripts/postal); without it files of the same size are made.

#include "data/tables/DataStore.h"
#include "data/tools/PostalImport.h"
#include "records/PostalSearch.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <vector>

using kv::records::PostalSearch;

namespace {

constexpr int kCodes = 141389;
constexpr int kPrefectures = 47;

QString cityName(int prefecture, int city)
{
    return QString::fromUtf8("第%1市%2区").arg(prefecture).arg(city);
}
QString townName(int town)
{
    return QString::fromUtf8("本町%1丁目").arg(town);
}

// Each prefecture's codes in 60 cities of up to 60 towns, codes in order.
QString generatedFolder()
{
    static QTemporaryDir folder;
    QFile tsv(folder.filePath(QStringLiteral("postal.tsv")));
    if (!tsv.open(QIODevice::WriteOnly))
        std::abort();
    for (int i = 0; i < kCodes; ++i) {
        const int prefecture = i * kPrefectures / kCodes + 1;
        const int within = i - (prefecture - 1) * kCodes / kPrefectures;
        const QString line = QStringLiteral("%1\t%2\t%3\t%4\n")
                                 .arg(i + 1, 7, 10, QLatin1Char('0'))
                                 .arg(prefecture)
                                 .arg(cityName(prefecture, within / 60))
                                 .arg(townName(within % 60));
        tsv.write(line.toUtf8());
    }
    tsv.close();
    QString error;
    if (!kv::data::PostalImport::import(folder.path(), tsv.fileName(), &error))
        std::abort();
    return folder.path();
}

kv::data::DataStore& store()
{
    static kv::data::DataStore opened;
    static const bool ok = [] {
        const QByteArray real = qgetenv("KV_POSTAL_DIR");
        return opened.openPostal(real.isEmpty() ? generatedFolder() : QString::fromLocal8Bit(real))
            && opened.missingPostalFiles().isEmpty();
    }();
    if (!ok)
        std::abort();
    return opened;
}

bool realData()
{
    return !qgetenv("KV_POSTAL_DIR").isEmpty();
}

// Codes spread over the whole range, the default prefecture another one.
void BM_CodeToAddress(benchmark::State& state)
{
    PostalSearch search(store());
    const std::vector<int> codes = realData()
        ? std::vector<int>{1000001, 600000, 9000006, 4520961, 5300001, 8120011}
        : std::vector<int>{1, 30011, 70777, 100003, 141389};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto found = search.byCode(codes[i++ % codes.size()], 0);
        if (found.empty())
            state.SkipWithError("code not found");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_CodeToAddress)->Unit(benchmark::kMicrosecond);

// Addresses without their prefecture, the default prefecture a wrong one:
// the search goes through the other prefectures.
void BM_AddressToCode(benchmark::State& state)
{
    PostalSearch search(store());
    const QStringList addresses = realData()
        ? QStringList{QString::fromUtf8("那覇市おもろまち4-1"), QString::fromUtf8("千代田区丸の内1-1"),
                      QString::fromUtf8("札幌市中央区北一条西2")}
        : QStringList{cityName(47, 40) + townName(59) + QStringLiteral("1-2"),
                      cityName(13, 3) + townName(7), cityName(2, 40) + townName(0)};
    qsizetype i = 0;
    for (auto _ : state) {
        const auto found = search.byAddress(addresses[i++ % addresses.size()], 0);
        if (found.empty())
            state.SkipWithError("address not found");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_AddressToCode)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
