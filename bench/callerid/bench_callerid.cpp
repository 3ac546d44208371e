// Finding the caller among 100,000 customers whose numbers are written with
// hyphens ("03-3611-9879") while the adapter sends digits. Target: under
// 5 ms a call.
#include "bench/data/GeneratedDataFolder.h"
#include "callerid/core/CallerLookup.h"
#include "data/engine/TelephoneDigits.h"
#include "data/tables/DataStore.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Shop {
    QTemporaryDir copy;
    kv::data::DataStore store;
    std::unique_ptr<kv::callerid::CallerLookup> lookup;
    QStringList tel1Digits; // what the adapter sends for customers' Tel1
    QStringList tel2Digits;
};

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "bench set-up failed: %s\n", what);
        std::abort();
    }
}

// A copy of the generated folder (the index is added to the copy only),
// opened as the program opens it, with the digit indexes made.
Shop& shop()
{
    static Shop* made = [] {
        auto* s = new Shop;
        const QString source = kv::bench::generatedDataFolder({100000, 100, 100, 100});
        for (const QString& name : QDir(source).entryList(QDir::Files))
            check(QFile::copy(QDir(source).filePath(name), s->copy.filePath(name)), "copy");
        for (const char* sub : {"Temp", "Photo", "Printer"})
            QDir(s->copy.path()).mkpath(QString::fromLatin1(sub));
        check(s->store.open(s->copy.path()), "open");
        s->lookup = std::make_unique<kv::callerid::CallerLookup>(s->store.mainConnection());
        check(s->lookup->install(), "digit indexes");
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(s->store.mainConnection().handle(),
                           "SELECT Tel1, Tel2 FROM f010.Kok WHERE KokCode % 97 = 0", -1, &statement,
                           nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto text = [&](int column) {
                return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                                  sqlite3_column_bytes(statement, column));
            };
            s->tel1Digits << QString::fromLatin1(kv::data::telephoneDigits(text(0)));
            if (!text(1).isEmpty())
                s->tel2Digits << QString::fromLatin1(kv::data::telephoneDigits(text(1)));
        }
        sqlite3_finalize(statement);
        check(!s->tel1Digits.isEmpty() && !s->tel2Digits.isEmpty(), "sample numbers");
        check(s->tel1Digits.front().size() >= 10, "hyphenated numbers in the data");
        return s;
    }();
    return *made;
}

void lookUp(benchmark::State& state, const QStringList& numbers, bool expectFound)
{
    Shop& s = shop();
    qsizetype next = 0;
    for (auto _ : state) {
        kv::data::CallInfoEntry caller;
        const auto result = s.lookup->find(numbers[next], &caller);
        if ((result == kv::callerid::CallerLookup::Result::Found) != expectFound) {
            state.SkipWithError("unexpected lookup result");
            break;
        }
        benchmark::DoNotOptimize(caller.kokCode);
        next = (next + 1) % numbers.size();
    }
}

void HyphenatedTel1FromDigits(benchmark::State& state)
{
    lookUp(state, shop().tel1Digits, true);
}
BENCHMARK(HyphenatedTel1FromDigits)->Unit(benchmark::kMicrosecond);

void HyphenatedTel2FromDigits(benchmark::State& state)
{
    lookUp(state, shop().tel2Digits, true);
}
BENCHMARK(HyphenatedTel2FromDigits)->Unit(benchmark::kMicrosecond);

// Nobody has the number: both steps run and find nothing.
void UnknownNumber(benchmark::State& state)
{
    QStringList unknown;
    for (int i = 0; i < 100; ++i)
        unknown << QStringLiteral("0120%1").arg(i, 6, 10, QLatin1Char('0'));
    lookUp(state, unknown, false);
}
BENCHMARK(UnknownNumber)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
