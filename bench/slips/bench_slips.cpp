// The slip's own costs on a shop with 99,999 slips: the totals after one
// line changes on a full 90-line slip, recording a 90-line delivery note
// with its sale (with the disk's sync, and without it to show its share),
// reading the history of a vehicle with 119 slips and loading a 90-line
// slip for modification.

#include "slips/core/LineAmount.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipRecorder.h"
#include "slips/core/SlipTotals.h"

#include "common/MessageGateway.h"
#include "../data/FreshDocument.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

constexpr int kSlips = 99999;
constexpr int kHistoryVehicle = 1;
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

    Shop()
    {
        kv::installMessageGateway(&gateway);
        const QByteArray slips = "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c"
                                 " WHERE n < " + QByteArray::number(kSlips) + ") ";
        // Vehicle 1 has the history; the others one slip each, with lines.
        check(doc->store().mainConnection().execute(
                  slips + "INSERT INTO f010.Kok (KokCode, UserName1) SELECT n, 'ｶﾄｳ' FROM c"
                          " WHERE n <= 1000;"
                  + slips + "INSERT INTO f009.Car (CarCode, KokCode) SELECT n, 1 + n % 1000 FROM c"
                            " WHERE n <= 1000;"
                  + slips + "INSERT INTO f003.Syahead (DenNo, CarCode, SeiKokCode, HatuDate)"
                            " SELECT n, CASE WHEN n <= " + QByteArray::number(kHistorySlips)
                  + " THEN 1 ELSE 2 + n % 998 END, 1, 40000 + n FROM c;"
                  + slips + "INSERT INTO f002.SyaJnl (DenNo, LineNo, Meisai, Kingaku)"
                            " SELECT n / 10 + 1, n % 10, 'ｵｲﾙ', 1000 FROM c;"),
              "rows");
        check(doc->customers().Requery() && doc->vehicles().Requery(), "requery");
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
    slip.header.m_CarCode = 5;
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
    const int number = sync ? kSlips + 1 : kSlips + 2;
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
        const auto slips = access.history(kHistoryVehicle);
        check(slips.size() == kHistorySlips, "history size");
    }
}
BENCHMARK(BM_HistoryOf119Slips)->Unit(benchmark::kMillisecond);

void BM_LoadNinetyLineSlip(benchmark::State& state)
{
    Shop& s = shop();
    kv::slips::SlipRecorder recorder(*s.doc);
    static const bool loaded = recorder.record(deliveryNote(kSlips + 3)).recorded;
    check(loaded, "slip to load");
    kv::slips::SlipAccess access(*s.doc);
    kv::data::SyaheadRow header;
    std::vector<kv::data::SyaJnlRow> lines;
    for (auto _ : state) {
        check(access.load(kSlips + 3, &header, &lines) && lines.size() == kLines, "load");
    }
}
BENCHMARK(BM_LoadNinetyLineSlip)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
