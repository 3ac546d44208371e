// Backing up the generated full-size data folder (100,000 customers, 4
// million slip lines): the whole run (snapshots, -lh5- archive, copy behind
// the header), the packing alone, and the same snapshot files through
// `tar | gzip -6` in the same run. Works on a private copy of the folder,
// so the shared generated folder is never written to.
#include "GeneratedDataFolder.h"

#include "backup/core/ArchivePacker.h"
#include "backup/core/BackupRun.h"
#include "backup/core/DataSnapshot.h"
#include "backup/core/platform/LinuxVolumes.h"
#include "common/MessageGateway.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class QuietGateway final : public kv::MessageGateway {
public:
    void showMessage(const QString& text, Icon) override { last = text; }
    bool askYesNo(const QString&, bool, Icon) override { return true; }
    QString last;
};

qint64 folderSize(const QString& folder)
{
    qint64 size = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        size += QFileInfo(it.next()).size();
    return size;
}

struct Shop {
    QTemporaryDir work;
    QString data;
    QString snapshot;
    qint64 bytes = 0;

    Shop()
    {
        data = work.filePath(QStringLiteral("Data"));
        snapshot = work.filePath(QStringLiteral("snapshot"));
        QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-r"), kv::bench::generatedDataFolder(), data});
        std::atomic<bool> cancel{false};
        QString error;
        kv::backup::DataSnapshot::take(data, snapshot, cancel, &error);
        bytes = folderSize(snapshot);
    }
};

Shop& shop()
{
    static Shop instance;
    return instance;
}

void report(benchmark::State& state, qint64 output)
{
    state.SetBytesProcessed(state.iterations() * shop().bytes);
    state.counters["data_MB"] = double(shop().bytes) / 1e6;
    state.counters["output_MB"] = double(output) / 1e6;
    state.counters["ratio_%"] = 100.0 * double(output) / double(shop().bytes);
}

void backupRun(benchmark::State& state)
{
    QuietGateway messages;
    kv::installMessageGateway(&messages);
    kv::backup::LinuxVolumes volumes(shop().data);
    std::atomic<bool> cancel{false};
    const QString file = shop().work.filePath(QStringLiteral("out/shop.SBK"));
    qint64 output = 0;
    for (auto _ : state) {
        QFile::remove(file);
        kv::backup::BackupRun run({shop().data, QStringLiteral("Server"), file, {1, 2000}}, volumes,
                                  messages, cancel);
        if (!run.run()) {
            state.SkipWithError(messages.last.toUtf8().constData());
            break;
        }
        output = QFileInfo(file).size();
    }
    QFile::remove(file);
    kv::installMessageGateway(nullptr);
    report(state, output);
}
BENCHMARK(backupRun)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void packLh5(benchmark::State& state)
{
    std::atomic<bool> cancel{false};
    const QString archive = shop().work.filePath(QStringLiteral("pack.lzh"));
    qint64 output = 0;
    for (auto _ : state) {
        QString error;
        if (!kv::backup::ArchivePacker::pack(shop().snapshot, archive, cancel, {}, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        output = QFileInfo(archive).size();
    }
    QFile::remove(archive);
    report(state, output);
}
BENCHMARK(packLh5)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void tarGzip6(benchmark::State& state)
{
    qint64 output = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"),
                       QStringLiteral("tar -cf - -C '%1' . | gzip -6 | wc -c").arg(shop().snapshot)});
        process.waitForFinished(-1);
        output = process.readAllStandardOutput().trimmed().toLongLong();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    report(state, output);
}
BENCHMARK(tarGzip6)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
