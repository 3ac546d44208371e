#include "bench/data/GeneratedDataFolder.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace kv::bench {

QString generatedDataFolder(const kv::data::DataGenerator::Size& size)
{
    const QString root = qEnvironmentVariable("KV_BENCH_DATA_FOLDER", QDir::tempPath());
    QString name = QStringLiteral("kv-generated-%1-%2-%3-%4")
                       .arg(size.customers)
                       .arg(size.vehicles)
                       .arg(size.slips)
                       .arg(size.lines);
    if (size.ledgerRows != kv::data::DataGenerator::kAutomatic)
        name += QStringLiteral("-ledger%1").arg(size.ledgerRows);
    const QString folder = QDir(root).filePath(name);
    if (QFileInfo(folder).isDir())
        return folder;
    const QString part = folder + QStringLiteral(".part");
    QDir(part).removeRecursively();
    std::fprintf(stderr, "generating %s ...\n", qUtf8Printable(folder));

    kv::data::DataGenerator::Options options;
    options.size = size;
    options.seed = 1;
    options.today = QDate(2026, 4, 1);
    QString error;
    if (!kv::data::DataGenerator::generate(part, options, &error) || !QDir().rename(part, folder)) {
        std::fprintf(stderr, "bench data: %s\n", qUtf8Printable(error.isEmpty() ? part : error));
        std::abort();
    }
    return folder;
}

kv::data::DataStore& ledgerShop()
{
    static kv::data::DataStore shop;
    static const bool ready = [] {
        kv::data::DataGenerator::Size size;
        size.ledgerRows = 1'000'000;
        return shop.open(generatedDataFolder(size));
    }();
    return ready ? shop : (std::abort(), shop);
}

} // namespace kv::bench
