// The customer file's lists on a shop of size (100,000 customers): the
// customers selected in reading order with their pages counted, and the
// customer list (13 a page, 7,693 pages) written into one PDF, each beside
// raw SQLite doing the same reading on the same file.

#include "../data/BenchDataFolder.h"

#include "data/engine/EngineFunctions.h"
#include "data/tables/DataStore.h"
#include "print/PrintRunner.h"
#include "reports/core/CustomerFile.h"
#include "reports/core/CustomerSelection.h"
#include "reports/core/ReportPages.h"
#include "reports/print/TableListPrintout.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>

using namespace kv::reports;

namespace {

kv::data::DataStore& store()
{
    static kv::data::DataStore shop;
    static const bool ready = shop.open(kv::bench::benchDataFolder());
    return ready ? shop : (std::abort(), shop);
}

const CustomerSelection kReadingOrder{.order = CustomerSelection::Order::Reading};

// The customer file alone, with the engine's collation and functions.
struct RawCustomers {
    sqlite3* db = nullptr;
    RawCustomers()
    {
        const QByteArray path = QDir(kv::bench::benchDataFolder()).filePath("010.mdb").toUtf8();
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        kv::data::registerEngineFunctions(db);
    }
    ~RawCustomers() { sqlite3_close_v2(db); }
    // Every row of the query, each column read as the program reads it.
    int walk(const char* sql, bool readColumns)
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            if (!readColumns)
                continue;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                if (sqlite3_column_type(statement, column) == SQLITE_TEXT)
                    benchmark::DoNotOptimize(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(statement, column))));
                else
                    benchmark::DoNotOptimize(sqlite3_column_int64(statement, column));
            }
        }
        sqlite3_finalize(statement);
        return rows;
    }
};

constexpr const char* kRawReadingOrder =
    "SELECT * FROM Kok WHERE Furi >= ' ' AND UserName1 <> '新規作成中' ORDER BY Furi, KokCode";

void BM_CustomersInReadingOrderCounted_Program(benchmark::State& state)
{
    int pages = 0;
    for (auto _ : state) {
        CustomerListTable table(store(), kReadingOrder, CustomerListTable::Kind::List);
        pages = ReportPages::ofUnits(table.rowCount(), CustomerFile::pageUnit(CustomerFile::CustomerList));
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CustomersInReadingOrderCounted_Program)->Unit(benchmark::kMillisecond);

void BM_CustomersInReadingOrderCounted_RawSqlite(benchmark::State& state)
{
    RawCustomers raw;
    int rows = 0;
    for (auto _ : state)
        rows = raw.walk(kRawReadingOrder, false);
    state.counters["pages"] = ReportPages::ofUnits(rows, 13);
}
BENCHMARK(BM_CustomersInReadingOrderCounted_RawSqlite)->Unit(benchmark::kMillisecond);

void BM_CustomerListPdf_Program(benchmark::State& state)
{
    QTemporaryDir out;
    int pages = 0;
    for (auto _ : state) {
        CustomerListTable table(store(), kReadingOrder, CustomerListTable::Kind::List);
        TableListPrintout printout(table, CustomerFile::pageUnit(CustomerFile::CustomerList),
                                   QDate::currentDate());
        pages = printout.pageCount();
        if (!kv::print::PrintRunner::writePdf(printout, out.filePath("list.pdf")))
            state.SkipWithError("the PDF could not be written");
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFileInfo(out.filePath("list.pdf")).size()) / 1e6;
}
BENCHMARK(BM_CustomerListPdf_Program)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same rows read with every column, no pages drawn: what the reading
// alone costs.
void BM_CustomerListRows_RawSqlite(benchmark::State& state)
{
    RawCustomers raw;
    int rows = 0;
    for (auto _ : state)
        rows = raw.walk(kRawReadingOrder, true);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CustomerListRows_RawSqlite)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
