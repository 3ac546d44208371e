// The record service's code reservation and slip numbering on a data folder
// with 99,999 customers and slips, each beside the same work done straight
// on SQLite.
//
// *_Service: the document's operation (lock file held, recordset insert).
// *_RawGapQuery: what a plain SQL search for the lowest free code costs.
// *_RawBlocks: the document's own queries on SQLite directly, without the
//   lock file and the recordset, to show the layer's share.

#include "FreshDocument.h"

#include "data/engine/EngineFunctions.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kTaken = 99999;

using kv::bench::check;

struct Fixture : kv::bench::FreshDocument {
    sqlite3* raw = nullptr;

    Fixture()
    {
        const QByteArray codes = "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < "
                               + QByteArray::number(kTaken) + ") ";
        check(doc->store().mainConnection().execute(
                  codes + "INSERT INTO f010.Kok (KokCode, UserName1) SELECT n, 'ｶﾄｳ' FROM c;" + codes
                  + "INSERT INTO f003.Syahead (DenNo, CarCode) SELECT n, n FROM c;"),
              "rows");
        check(doc->customers().Requery(), "requery");
        check(sqlite3_open_v2(QFile::encodeName(dir.path() + "/010.mdb").constData(), &raw,
                              SQLITE_OPEN_READWRITE, nullptr)
                  == SQLITE_OK,
              "raw connection");
        sqlite3_exec(raw, "ATTACH DATABASE '" + QFile::encodeName(dir.path() + "/003.mdb") + "' AS f003",
                     nullptr, nullptr, nullptr);
        check(kv::data::registerEngineFunctions(raw) == SQLITE_OK, "collation");
        sqlite3_busy_timeout(raw, 60000);
        sqlite3_exec(raw, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    }
    ~Fixture() { sqlite3_close_v2(raw); }

    void execRaw(const char* sql) { check(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sql); }

    // One statement's first integer.
    int scalarRaw(sqlite3_stmt* statement, int parameter = 0)
    {
        if (parameter)
            sqlite3_bind_int(statement, 1, parameter);
        const int value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : 0;
        sqlite3_reset(statement);
        return value;
    }

    void writeCounter(qint32 value)
    {
        QFile file(dir.path() + "/015.dat");
        check(file.open(QIODevice::WriteOnly), "015.dat");
        char bytes[4];
        qToLittleEndian(value, bytes);
        file.write(bytes, 4);
    }
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

sqlite3_stmt* prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(fixture().raw, sql, -1, &statement, nullptr) == SQLITE_OK, sql);
    return statement;
}

void BM_ReserveCustomerCode_Service(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const int code = f.doc->ReserveCustomerCode();
        state.PauseTiming();
        check(code == kTaken + 1, "reserved code");
        f.execRaw("DELETE FROM Kok WHERE KokCode = 100000");
        state.ResumeTiming();
    }
}

void BM_ReserveCustomerCode_RawGapQuery(benchmark::State& state)
{
    Fixture& f = fixture();
    sqlite3_stmt* search = prepare(
        "SELECT CASE WHEN NOT EXISTS (SELECT 1 FROM Kok WHERE KokCode = 1) THEN 1 ELSE "
        "(SELECT min(a.KokCode) + 1 FROM Kok a WHERE NOT EXISTS "
        "(SELECT 1 FROM Kok b WHERE b.KokCode = a.KokCode + 1)) END");
    sqlite3_stmt* insert = prepare("INSERT INTO Kok (KokCode, UserName1) VALUES (?, '新規作成中')");
    for (auto _ : state) {
        const int code = f.scalarRaw(search);
        f.scalarRaw(insert, code);
        state.PauseTiming();
        check(code == kTaken + 1, "raw code");
        f.execRaw("DELETE FROM Kok WHERE KokCode = 100000");
        state.ResumeTiming();
    }
    sqlite3_finalize(search);
    sqlite3_finalize(insert);
}

void BM_ReserveCustomerCode_RawBlocks(benchmark::State& state)
{
    Fixture& f = fixture();
    sqlite3_stmt* block = prepare("SELECT Block FROM KokCodeBlock INDEXED BY KokCodeBlock_open "
                                  "WHERE Free > 0 AND Block BETWEEN 0 AND 999 ORDER BY Block LIMIT 1");
    sqlite3_stmt* walk = prepare("SELECT KokCode FROM Kok WHERE KokCode BETWEEN ? AND ? ORDER BY KokCode");
    sqlite3_stmt* insert = prepare("INSERT INTO Kok (KokCode, UserName1) VALUES (?, '新規作成中')");
    for (auto _ : state) {
        const int first = std::max(1, f.scalarRaw(block) * 1000);
        sqlite3_bind_int(walk, 1, first);
        sqlite3_bind_int(walk, 2, first + 999);
        int expected = first;
        while (sqlite3_step(walk) == SQLITE_ROW && sqlite3_column_int(walk, 0) == expected)
            ++expected;
        sqlite3_reset(walk);
        f.scalarRaw(insert, expected);
        state.PauseTiming();
        check(expected == kTaken + 1, "raw block code");
        f.execRaw("DELETE FROM Kok WHERE KokCode = 100000");
        state.ResumeTiming();
    }
    sqlite3_finalize(block);
    sqlite3_finalize(walk);
    sqlite3_finalize(insert);
}

// The counter just behind a free number: the usual case.
void BM_NextSlipNumber_Service(benchmark::State& state)
{
    Fixture& f = fixture();
    f.writeCounter(kTaken);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.doc->NextSlipNumber());
}

// The same steps by hand: counter file read and written, one look-up.
void BM_NextSlipNumber_Raw(benchmark::State& state)
{
    Fixture& f = fixture();
    f.writeCounter(kTaken);
    sqlite3_stmt* used = prepare("SELECT 1 FROM f003.Syahead WHERE DenNo = ?");
    for (auto _ : state) {
        QFile file(f.dir.path() + "/015.dat");
        check(file.open(QIODevice::ReadWrite), "015.dat");
        char bytes[4];
        file.read(bytes, 4);
        int number = qFromLittleEndian<qint32>(bytes) + 1;
        while (f.scalarRaw(used, number))
            ++number;
        qToLittleEndian<qint32>(number, bytes);
        file.seek(0);
        file.write(bytes, 4);
        file.close();
        benchmark::DoNotOptimize(number);
    }
    sqlite3_finalize(used);
}

// The counter reset behind 99,999 taken numbers: one probe per number for
// the plain search, one block seek for the document.
void BM_NextSlipNumberPastTakenRun_Service(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.writeCounter(0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(f.doc->NextSlipNumber());
    }
}

void BM_NextSlipNumberPastTakenRun_Raw(benchmark::State& state)
{
    Fixture& f = fixture();
    sqlite3_stmt* used = prepare("SELECT 1 FROM f003.Syahead WHERE DenNo = ?");
    for (auto _ : state) {
        int number = 1;
        while (f.scalarRaw(used, number))
            ++number;
        benchmark::DoNotOptimize(number);
    }
    sqlite3_finalize(used);
}

} // namespace

BENCHMARK(BM_ReserveCustomerCode_Service)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReserveCustomerCode_RawGapQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReserveCustomerCode_RawBlocks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextSlipNumber_Service)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextSlipNumber_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextSlipNumberPastTakenRun_Service)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextSlipNumberPastTakenRun_Raw)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // The data folder is built before anything is timed.
    fixture();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
