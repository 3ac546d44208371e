// Compression speed and ratio of the backup archive's -lh5- coder on 16 MiB
// of data-folder-like bytes, beside `gzip -6` on the same bytes.
#include "backup/core/Lh5Compressor.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kSize = qsizetype(16) << 20;

// Record-like text (codes, names, amounts, dates) with about a tenth of
// noise, as a database file of a shop's data folder holds.
const QByteArray& sample()
{
    static const QByteArray bytes = [] {
        QRandomGenerator random(42);
        const QStringList names = {QStringLiteral("山田太郎"), QStringLiteral("佐藤自動車"),
                                   QStringLiteral("鈴木商店"), QStringLiteral("高橋"), QStringLiteral("田中整備")};
        const QStringList jobs = {QStringLiteral("車検"), QStringLiteral("オイル交換"),
                                  QStringLiteral("タイヤ交換"), QStringLiteral("板金塗装")};
        QByteArray data;
        data.reserve(kSize + 4096);
        while (data.size() < kSize) {
            if (random.bounded(200) == 0) {
                QByteArray noise(int(random.bounded(200, 2000)), Qt::Uninitialized);
                for (char& c : noise)
                    c = char(random.bounded(256));
                data += noise;
                continue;
            }
            data += QStringLiteral("%1,%2,%3,2025/%4/%5,%6,%7\r\n")
                        .arg(random.bounded(1, 50000), 6, 10, QLatin1Char('0'))
                        .arg(names[int(random.bounded(names.size()))])
                        .arg(jobs[int(random.bounded(jobs.size()))])
                        .arg(random.bounded(1, 13))
                        .arg(random.bounded(1, 29))
                        .arg(random.bounded(1000, 200000))
                        .arg(random.bounded(2) ? QStringLiteral("済") : QStringLiteral("未"))
                        .toUtf8();
        }
        data.truncate(kSize);
        return data;
    }();
    return bytes;
}

// Takes the compressed bytes and forgets them.
class Sink : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override { return size; }
};

void report(benchmark::State& state, qint64 outputSize)
{
    state.SetBytesProcessed(state.iterations() * kSize);
    state.counters["ratio_%"] = 100.0 * double(outputSize) / double(kSize);
}

void lh5(benchmark::State& state)
{
    const QByteArray& data = sample();
    qint64 outputSize = 0;
    for (auto _ : state) {
        QBuffer in;
        in.setData(data);
        in.open(QIODevice::ReadOnly);
        Sink out;
        out.open(QIODevice::WriteOnly);
        kv::backup::Lh5Compressor compressor(int(state.range(0)));
        if (!compressor.compress(in, out, kSize)) {
            state.SkipWithError("compression failed");
            return;
        }
        outputSize = compressor.outputSize();
    }
    report(state, outputSize);
}
BENCHMARK(lh5)->Arg(16)->Arg(48)->Arg(128)->Unit(benchmark::kMillisecond)->UseRealTime();

// gzip -6 as a process; the time includes starting it and the pipe.
void gzip6(benchmark::State& state)
{
    const QString gzip = QStandardPaths::findExecutable(QStringLiteral("gzip"));
    if (gzip.isEmpty()) {
        state.SkipWithError("gzip not on PATH");
        return;
    }
    const QByteArray& data = sample();
    qint64 outputSize = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(gzip, {QStringLiteral("-6"), QStringLiteral("-c")});
        process.write(data);
        process.closeWriteChannel();
        process.waitForFinished(-1);
        outputSize = process.readAllStandardOutput().size();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    report(state, outputSize);
}
BENCHMARK(gzip6)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
