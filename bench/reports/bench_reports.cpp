// The selections of the reports on a shop of size: 100,000 customers and
// 200,000 vehicles; and 1,000 inspection reminders printed into one PDF.

#include "../data/BenchDataFolder.h"
#include "platform/ProcessMemory.h"

#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/settings/DefaultSettings.h"
#include "print/PrintRunner.h"
#include "reports/core/CustomerSelection.h"
#include "reports/core/ReminderCards.h"
#include "reports/core/ReminderMonths.h"
#include "reports/core/ReportPages.h"
#include "reports/core/SelectedRows.h"
#include "reports/print/ReminderPrintout.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

using namespace kv::reports;

namespace {

// The shop's data folder, opened once for every benchmark of the program.
kv::data::DataStore& store()
{
    static kv::data::DataStore shop;
    static const bool ready = shop.open(kv::bench::benchDataFolder());
    return ready ? shop : (std::abort(), shop);
}

// Every customer in reading order, selected and its pages counted (the
// customer list: 13 a page).
void BM_AllCustomersInReadingOrder(benchmark::State& state)
{
    const CustomerSelection selection{.order = CustomerSelection::Order::Reading};
    int pages = 0;
    for (auto _ : state) {
        SelectedRows<CDaoKokSet> rows(store(), selection.filter(), selection.sort());
        pages = ReportPages::ofUnits(rows.count(), 13);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_AllCustomersInReadingOrder)->Unit(benchmark::kMillisecond);

// The same customers read one by one, as their pages are painted.
void BM_WalkAllCustomersInReadingOrder(benchmark::State& state)
{
    const CustomerSelection selection{.order = CustomerSelection::Order::Reading};
    int read = 0;
    for (auto _ : state) {
        SelectedRows<CDaoKokSet> rows(store(), selection.filter(), selection.sort());
        kv::data::ReadSnapshot snapshot(store().connectionFor(CDaoKokSet::tableDef()));
        read = 0;
        for (int i = 0; i < rows.count(); ++i)
            read += rows.at(i) ? 1 : 0;
    }
    state.counters["rows"] = read;
}
BENCHMARK(BM_WalkAllCustomersInReadingOrder)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1,000 reminder postcards with the costs block into one PDF, the cards
// made from the vehicles due in one month as each page is painted. The
// memory the run adds at its peak tells whether pages are held.
void BM_ThousandReminderPostcardsToPdf(benchmark::State& state)
{
    constexpr int kCards = 1000;
    const kv::data::SettingsList makes = kv::data::DefaultSettings::makes();
    StoredReminderCosts costs(kv::data::DefaultSettings::rounding(), true);
    const QString filter = ReminderMonths::filter(*ReminderMonths::firstDay(QStringLiteral("16/03")),
                                                  *ReminderMonths::lastDay(QStringLiteral("16/03")));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reminders.pdf"));
    long long growth = 0;
    int printed = 0;
    for (auto _ : state) {
        kv::bench::resetPeakResident();
        const long long before = kv::bench::residentBytes();
        ReminderCards cards(store(), filter, ReminderMonths::sort(), makes, &costs);
        printed = std::min(cards.count(), kCards);
        if (printed < kCards) {
            state.SkipWithError("the month holds fewer than 1,000 vehicles");
            break;
        }
        ReminderPrintout printout(
            printed, [&cards](int index) { return cards.at(index); },
            PostcardSender::fromShop(kv::data::DefaultSettings::shop()), PostcardShift{}, true, false,
            QStringLiteral("車検入庫予定車輌 はがき宛先"));
        if (!kv::print::PrintRunner::writePdf(printout, path))
            state.SkipWithError("the PDF could not be written");
        growth = std::max(growth, kv::bench::peakResidentBytes() - before);
    }
    state.counters["cards"] = printed;
    state.counters["peak_rss_growth_MB"] = double(growth) / (1024.0 * 1024.0);
    state.counters["pdf_MB"] = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ThousandReminderPostcardsToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
