// The ledger's own costs on a copy of the generated full-size shop (100,000
// customers, 400,000 slips): opening a customer with a full ledger of 1000
// rows with every running balance (the rows and the list's model alone, and
// the whole window), and recording one entry for a customer with 999 rows,
// with the disk's sync.

#include "../data/AbortingGateway.h"
#include "../data/FreshDocument.h"
#include "bench/data/GeneratedDataFolder.h"
#include "ledger/core/LedgerRecorder.h"
#include "ledger/core/LedgerRows.h"
#include "ledger/ui/CMotoFrame.h"
#include "ledger/ui/LedgerListModel.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

constexpr int kFullCustomer = 1;
constexpr int kRecordingCustomer = 2;

using kv::bench::check;

// The generated folder is shared by every benchmark: the ledger writes to a
// copy of it.
struct Shop : kv::bench::FreshDocument {
    Shop() : FreshDocument(kv::bench::generatedDataFolder())
    {
        // A sale a day on each customer's ledger, every third one paid.
        const auto rows = [](int customer, int count) {
            return "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < "
                + QByteArray::number(count)
                + ") INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, ToriKbn, Buhin, Koutin,"
                  " Zei, Tot, Nyu, GTot, Tekiyo) SELECT " + QByteArray::number(customer)
                + ", 45000 + n + 0.5, 1, n % 3 <> 0, 12000, 8000, 2000, 22000,"
                  " CASE WHEN n % 3 = 0 THEN 22000 ELSE 0 END,"
                  " CASE WHEN n % 3 = 0 THEN 0 ELSE 22000 END, 'ｵｲﾙ交換' FROM c;";
        };
        check(doc->store().mainConnection().execute(
                  "DELETE FROM f013.ToriJnl WHERE KokCode IN (1, 2);"
                  "DELETE FROM f014.Zan WHERE KokCode IN (1, 2);"
                  "INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (1, 5000), (2, 0);"
                  + rows(kFullCustomer, kv::ledger::LedgerRows::kMaxRows)
                  + rows(kRecordingCustomer, kv::ledger::LedgerRows::kMaxRows - 1)),
              "ledger rows");
    }
};

kv::bench::AbortingGateway gateway;

Shop& shop()
{
    kv::installMessageGateway(&gateway);
    static Shop instance;
    return instance;
}

// The customer's rows read, ordered and balanced, and put into the list's model.
void OpenLedgerOf1000Rows(benchmark::State& state)
{
    kv::data::CCarMaintenanceDoc& doc = *shop().doc;
    kv::ledger::LedgerListModel model(nullptr);
    for (auto _ : state) {
        QString error;
        std::optional<kv::ledger::LedgerRows> rows =
            kv::ledger::LedgerRows::load(doc, kFullCustomer, &error);
        check(rows && rows->lines().size() == size_t(kv::ledger::LedgerRows::kMaxRows), "rows");
        model.show(*rows);
        benchmark::DoNotOptimize(rows->lines().back().balance);
    }
}
BENCHMARK(OpenLedgerOf1000Rows)->Unit(benchmark::kMillisecond);

// The whole window as F9 opens it: the lock, the rows, the form and its list.
void OpenLedgerWindowOf1000Rows(benchmark::State& state)
{
    kv::data::CCarMaintenanceDoc& doc = *shop().doc;
    for (auto _ : state) {
        kv::ledger::CMotoFrame* window = kv::ledger::CMotoFrame::open(doc, kFullCustomer, nullptr);
        check(window, "window");
        state.PauseTiming();
        window->close();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(OpenLedgerWindowOf1000Rows)->Unit(benchmark::kMillisecond);

// One sale recorded: the checks, the "Printing" section, the row count and
// the row written with the disk's sync.
void RecordOneEntry(benchmark::State& state)
{
    kv::data::CCarMaintenanceDoc& doc = *shop().doc;
    doc.settings().rounding().taxRate = 0.10;
    kv::ledger::LedgerRecorder recorder(doc);
    for (auto _ : state) {
        kv::ledger::LedgerEntry entry;
        entry.date = QDate(2026, 4, 1);
        entry.categoryCode = 1;
        entry.categoryKind = 1;
        entry.buhin = 12345;
        entry.koutin = 10000;
        kv::ledger::RememberedAmounts remembered;
        const kv::ledger::LedgerRecorder::Outcome outcome =
            recorder.add(kRecordingCustomer, entry, remembered);
        check(outcome.done, "recorded");
        state.PauseTiming();
        check(doc.store().mainConnection().execute(
                  "DELETE FROM f013.ToriJnl WHERE ID = " + QByteArray::number(outcome.id)),
              "taken away again");
        state.ResumeTiming();
    }
}
BENCHMARK(RecordOneEntry)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    shop();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
