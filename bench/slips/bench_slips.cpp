// The slip's own costs on a copy of the generated full-size shop (400,000
// slips, 4,000,000 lines): the totals after one line changes on a full
// 90-line slip, recording a 90-line delivery note with its sale (with the
// disk's sync, and without it to show its share), reading the history of a
// vehicle with 119 slips and loading a 90-line slip for modification.

#include "slips/core/LineAmount.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipRecorder.h"
#include "slips/core/SlipTotals.h"

#include "common/MessageGateway.h"
#include "../data/FreshDocument.h"
#include "../data/GeneratedDataFolder.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <set>

namespace {

constexpr int kHistorySlips = 119;
constexpr int kLines = 90;

// Answers every question with Yes and keeps quiet.
class YesGateway final : public kv::MessageGateway {
public:
    void showMessage(const QString& text, Icon) override
    {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool askYesNo(const QString&, bool, Icon) override { return true; }
};

using kv::bench::check;

struct Shop : kv::bench::FreshDocument {
    YesGateway gateway;
    int historyVehicle = 0;
    int firstFreeSlip = 0;

    Shop() : FreshDocument(kv::bench::generatedDataFolder())
    {
        kv::installMessageGateway(&gateway);
        kv::data::Connection& db = doc->store().mainConnection();
        historyVehicle = int(scalar("SELECT MAX(CarCode) + 1 FROM f009.Car"));
        const int firstHistorySlip = int(scalar("SELECT MAX(DenNo) + 1 FROM f003.Syahead"));
        firstFreeSlip = firstHistorySlip + kHistorySlips;
        // A vehicle of customer 1 that came in 119 times.
        check(db.execute("INSERT INTO f009.Car (CarCode, KokCode) VALUES ("
                         + QByteArray::number(historyVehicle) + ", 1);"
                         "WITH RECURSIVE c(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM c WHERE n < "
                         + QByteArray::number(kHistorySlips - 1)
                         + ") INSERT INTO f003.Syahead (DenNo, CarCode, SeiKokCode, HatuDate)"
                           " SELECT " + QByteArray::number(firstHistorySlip) + " + n, "
                         + QByteArray::number(historyVehicle) + ", 1, 40000 + n FROM c;"),
              "history");
        check(doc->customers().Requery() && doc->vehicles().Requery(), "requery");
    }

    qint64 scalar(const QByteArray& query)
    {
        sqlite3_stmt* statement = nullptr;
        check(sqlite3_prepare_v2(doc->store().mainConnection().handle(), query.constData(), -1,
                                 &statement, nullptr) == SQLITE_OK
                  && sqlite3_step(statement) == SQLITE_ROW,
              query.constData());
        const qint64 value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    }
};

Shop& shop()
{
    static Shop instance;
    return instance;
}

kv::slips::SlipRecording deliveryNote(int number)
{
    kv::slips::SlipRecording slip;
    slip.customerCode = 1;
    slip.header.m_DenNo = number;
    slip.header.m_CarCode = 2;
    slip.header.m_SeiKokCode = 1;
    slip.header.m_HatuDate = 46000.5;
    slip.header.m_Tot = slip.header.m_Seikyu = 90000;
    for (int row = 0; row < kLines; ++row) {
        kv::data::SyaJnlRow line;
        line.m_LineNo = row;
        line.m_Meisai = QStringLiteral("エンジンオイル交換");
        line.m_Suuryo = 10;
        line.m_Tanka = 1000;
        line.m_Kingaku = 1000;
        slip.lines.push_back(line);
    }
    return slip;
}

void BM_TotalsAfterOneLineChanges(benchmark::State& state)
{
    kv::data::RoundingSettings rounding;
    rounding.taxRate = 0.10;
    kv::slips::SlipTotals totals(rounding);
    kv::data::SyaheadRow slip;
    slip.m_BuhiNebiPer = 500;
    slip.m_Jibai = 17650;
    slip.m_Daiko = 10000;
    slip.m_DaikoZeiFlag = 1;
    std::vector<int> parts(kLines, 0);
    int quantity = 10;
    for (auto _ : state) {
        // One line's quantity changed: its amount, the sums of the 90
        // rows, and every total after them.
        parts[45] = kv::slips::LineAmount::parts(1234, ++quantity % 9999, rounding.parts).value_or(0);
        int sum = 0;
        for (const int amount : parts)
            sum += kv::slips::LineAmount::counted(amount);
        slip.m_BuhiMeiTot = sum;
        benchmark::DoNotOptimize(totals.recalc(kv::slips::SlipTotals::Cause::Everything, slip));
    }
}
BENCHMARK(BM_TotalsAfterOneLineChanges);

void recordRepeatedly(benchmark::State& state, bool sync)
{
    Shop& s = shop();
    const char* mode = sync ? "FULL" : "OFF";
    for (const char* file : {"f002", "f003", "f009", "f013"})
        s.doc->store().mainConnection().execute(QByteArray("PRAGMA ") + file + ".synchronous = " + mode);
    kv::slips::SlipRecorder recorder(*s.doc);
    const int number = s.firstFreeSlip + (sync ? 0 : 1);
    kv::slips::SlipRecording slip = deliveryNote(number);
    // The benchmark runs more than once: the slip is new only the first time.
    static std::set<int> recorded;
    if (recorded.insert(number).second)
        check(recorder.record(slip).recorded, "first recording");
    slip.mode = kv::slips::SlipMode::Modify;
    for (auto _ : state)
        check(recorder.record(slip).recorded, "recording");
    for (const char* file : {"f002", "f003", "f009", "f013"})
        s.doc->store().mainConnection().execute(QByteArray("PRAGMA ") + file + ".synchronous = FULL");
}

void BM_RecordNinetyLineDeliveryNote(benchmark::State& state)
{
    recordRepeatedly(state, true);
}
BENCHMARK(BM_RecordNinetyLineDeliveryNote)->Unit(benchmark::kMillisecond);

void BM_RecordNinetyLineDeliveryNote_NoSync(benchmark::State& state)
{
    recordRepeatedly(state, false);
}
BENCHMARK(BM_RecordNinetyLineDeliveryNote_NoSync)->Unit(benchmark::kMillisecond);

void BM_HistoryOf119Slips(benchmark::State& state)
{
    kv::slips::SlipAccess access(*shop().doc);
    for (auto _ : state) {
        const auto slips = access.history(shop().historyVehicle);
        check(slips.size() == kHistorySlips, "history size");
    }
}
BENCHMARK(BM_HistoryOf119Slips)->Unit(benchmark::kMillisecond);

void BM_LoadNinetyLineSlip(benchmark::State& state)
{
    Shop& s = shop();
    kv::slips::SlipRecorder recorder(*s.doc);
    const int number = s.firstFreeSlip + 2;
    static const bool loaded = recorder.record(deliveryNote(number)).recorded;
    check(loaded, "slip to load");
    kv::slips::SlipAccess access(*s.doc);
    kv::data::SyaheadRow header;
    std::vector<kv::data::SyaJnlRow> lines;
    for (auto _ : state) {
        check(access.load(number, &header, &lines) && lines.size() == kLines, "load");
    }
}
BENCHMARK(BM_LoadNinetyLineSlip)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
