// The engine layer against the same work done in raw SQLite, on a
// generated data folder. Each pair is reported side by side.

#include "BenchDataFolder.h"

#include "data/engine/EngineFunctions.h"
#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"

#include <QDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>
#include <vector>

using namespace kv::data;

namespace {

const QString& folder()
{
    static const QString path = kv::bench::benchDataFolder();
    return path;
}

// A raw connection opened the way the engine opens its main group.
struct RawConnection {
    sqlite3* db = nullptr;

    RawConnection()
    {
        const QByteArray main = QDir(folder()).filePath(QStringLiteral("001.mdb")).toUtf8();
        sqlite3_open_v2(main.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(db, 60000);
        registerEngineFunctions(db);
        for (const QString& file : DataStore::mainFiles().mid(1)) {
            const QByteArray sql = "ATTACH DATABASE '" + QDir(folder()).filePath(file).toUtf8() + "' AS f"
                                 + file.left(3).toUtf8();
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        }
    }
    ~RawConnection() { sqlite3_close_v2(db); }
};

void readAllColumns(sqlite3_stmt* statement, benchmark::State&)
{
    const int n = sqlite3_column_count(statement);
    for (int i = 0; i < n; ++i) {
        if (sqlite3_column_type(statement, i) == SQLITE_TEXT)
            benchmark::DoNotOptimize(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        else
            benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
    }
}

void BM_OpenAll_Engine(benchmark::State& state)
{
    for (auto _ : state) {
        DataStore store;
        if (!store.open(folder()))
            state.SkipWithError("open failed");
    }
}

void BM_OpenAll_Raw(benchmark::State& state)
{
    for (auto _ : state) {
        RawConnection main;
        sqlite3* pick = nullptr;
        const QByteArray path = QDir(folder()).filePath(QStringLiteral("006.mdb")).toUtf8();
        sqlite3_open_v2(path.constData(), &pick, SQLITE_OPEN_READWRITE, nullptr);
        for (const char* file : {"007", "008"}) {
            const QByteArray sql = "ATTACH DATABASE '" + QDir(folder()).filePath(QString::fromLatin1(file) + ".mdb").toUtf8()
                                 + "' AS f" + file;
            sqlite3_exec(pick, sql.constData(), nullptr, nullptr, nullptr);
        }
        sqlite3_exec(main.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        sqlite3_close_v2(pick);
    }
}

void BM_FindFirstByCode_Engine(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoKokSet customers(store.mainConnection());
    customers.SetSort(QStringLiteral("KokCode"));
    customers.Open();
    std::mt19937 random(1);
    for (auto _ : state) {
        const int code = int(random() % 100000 + 1);
        if (!customers.FindFirst(QStringLiteral("KokCode = %1").arg(code)))
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(customers.m_OwnerName1);
    }
}

void BM_FindFirstByCode_Raw(benchmark::State& state)
{
    RawConnection raw;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw.db, "SELECT * FROM f010.Kok WHERE KokCode = ?", -1, &statement, nullptr);
    std::mt19937 random(1);
    for (auto _ : state) {
        sqlite3_bind_int(statement, 1, int(random() % 100000 + 1));
        if (sqlite3_step(statement) != SQLITE_ROW)
            state.SkipWithError("not found");
        readAllColumns(statement, state);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}

void BM_RequeryFuriOrder_Engine(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoKokSet customers(store.mainConnection());
    customers.SetSort(QStringLiteral("Furi, KokCode"));
    customers.Open();
    for (auto _ : state) {
        customers.Requery();
        customers.MoveLast();
        benchmark::DoNotOptimize(customers.GetRecordCount());
    }
}

void BM_RequeryFuriOrder_Raw(benchmark::State& state)
{
    RawConnection raw;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw.db,
                       "SELECT rowid FROM f010.Kok ORDER BY Furi COLLATE CP932, KokCode, rowid", -1,
                       &statement, nullptr);
    std::vector<qint64> keys;
    for (auto _ : state) {
        keys.clear();
        while (sqlite3_step(statement) == SQLITE_ROW)
            keys.push_back(sqlite3_column_int64(statement, 0));
        sqlite3_reset(statement);
        // The last row read whole, as MoveLast does.
        benchmark::DoNotOptimize(keys.size());
    }
    sqlite3_finalize(statement);
}

void BM_ReadingRange_Engine(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoKokSet customers(store.mainConnection());
    customers.SetSort(QStringLiteral("Furi, KokCode"));
    customers.SetFilter(QStringLiteral("(Furi >= \"ｶﾄｳ\" AND Furi <= \"ｶﾄｳﾝ\") AND UserName1 <> \"新規作成中\""));
    customers.Open();
    qint64 rows = 0;
    for (auto _ : state) {
        customers.Requery();
        for (; !customers.IsEOF(); customers.MoveNext()) {
            benchmark::DoNotOptimize(customers.m_OwnerName1);
            ++rows;
        }
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

// The same walk inside one read transaction: one shared lock for the
// whole walk instead of one per row.
void BM_ReadingRange_EngineSnapshot(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoKokSet customers(store.mainConnection());
    customers.SetSort(QStringLiteral("Furi, KokCode"));
    customers.SetFilter(QStringLiteral("(Furi >= \"ｶﾄｳ\" AND Furi <= \"ｶﾄｳﾝ\") AND UserName1 <> \"新規作成中\""));
    customers.Open();
    for (auto _ : state) {
        ReadSnapshot snapshot(store.mainConnection());
        customers.Requery();
        for (; !customers.IsEOF(); customers.MoveNext())
            benchmark::DoNotOptimize(customers.m_OwnerName1);
    }
}

void BM_ReadingRange_Raw(benchmark::State& state)
{
    RawConnection raw;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw.db,
                       "SELECT * FROM f010.Kok WHERE (Furi >= ? AND Furi <= ?) AND UserName1 <> ?"
                       " ORDER BY Furi COLLATE CP932, KokCode, rowid",
                       -1, &statement, nullptr);
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_bind_text(statement, 1, "ｶﾄｳ", -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 2, "ｶﾄｳﾝ", -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 3, "新規作成中", -1, SQLITE_STATIC);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            readAllColumns(statement, state);
            ++rows;
        }
        sqlite3_reset(statement);
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
    sqlite3_finalize(statement);
}

void BM_VehicleSlips_Engine(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoSyaHeadSet headers(store.mainConnection());
    headers.SetSort(QStringLiteral("CarCode, HatuDate"));
    headers.SetFilter(QStringLiteral("CarCode = 1"));
    headers.Open();
    std::mt19937 random(2);
    for (auto _ : state) {
        headers.SetFilter(QStringLiteral("CarCode = %1").arg(int(random() % 200000 + 1)));
        headers.Requery();
        for (; !headers.IsEOF(); headers.MoveNext())
            benchmark::DoNotOptimize(headers.m_Tot);
    }
}

void BM_VehicleSlips_Raw(benchmark::State& state)
{
    RawConnection raw;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw.db, "SELECT * FROM f003.Syahead WHERE CarCode = ? ORDER BY CarCode, HatuDate, rowid",
                       -1, &statement, nullptr);
    std::mt19937 random(2);
    for (auto _ : state) {
        sqlite3_bind_int(statement, 1, int(random() % 200000 + 1));
        while (sqlite3_step(statement) == SQLITE_ROW)
            readAllColumns(statement, state);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}

void BM_EditOneRow_Engine(benchmark::State& state)
{
    DataStore store;
    store.open(folder());
    CDaoKokSet customers(store.mainConnection());
    customers.SetFilter(QStringLiteral("KokCode = 5"));
    customers.Open();
    int n = 0;
    for (auto _ : state) {
        customers.Edit();
        customers.m_Hoyu = ++n % 5;
        if (!customers.Update())
            state.SkipWithError("update failed");
    }
}

void BM_EditOneRow_Raw(benchmark::State& state)
{
    RawConnection raw;
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* write = nullptr;
    sqlite3_prepare_v2(raw.db, "SELECT * FROM f010.Kok WHERE KokCode = 5", -1, &read, nullptr);
    sqlite3_prepare_v2(raw.db, "UPDATE f010.Kok SET Hoyu = ? WHERE KokCode = 5", -1, &write, nullptr);
    int n = 0;
    for (auto _ : state) {
        sqlite3_step(read);
        readAllColumns(read, state);
        sqlite3_reset(read);
        sqlite3_bind_int(write, 1, ++n % 5);
        if (sqlite3_step(write) != SQLITE_DONE)
            state.SkipWithError("update failed");
        sqlite3_reset(write);
    }
    sqlite3_finalize(read);
    sqlite3_finalize(write);
}

} // namespace

BENCHMARK(BM_OpenAll_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAll_Raw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFirstByCode_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindFirstByCode_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RequeryFuriOrder_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RequeryFuriOrder_Raw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadingRange_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadingRange_EngineSnapshot)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadingRange_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VehicleSlips_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VehicleSlips_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditOneRow_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditOneRow_Raw)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // Build the data folder before anything is timed.
    folder();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
