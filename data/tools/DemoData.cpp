#include "data/tools/DemoData.h"

#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/RecordCountWriter.h"
#include "data/tools/SampleRecordMaker.h"

#include <array>

namespace kv::data {

namespace {
// A fixed seed: every demo folder shows the same shop.
constexpr std::uint64_t kDemoSeed = 20240501;
// The ledger's own seed, so that other demo records do not move its rows.
constexpr std::uint64_t kDemoLedgerSeed = 20240502;

// The job categories the demo shop's sales fall into, by turns.
constexpr std::array<int, 5> kDemoJobCategories{
    SampleRecordMaker::GeneralRepair, SampleRecordMaker::Inspection, SampleRecordMaker::YearCheck,
    SampleRecordMaker::BodyAndPaint, SampleRecordMaker::PartsSale,
};

// Sales typed in the ledger over the twelve months up to today, about one
// customer in two a month, each paid at once or some weeks later unless
// that lies ahead: the graph and the lists have figures to show.
bool writeSalesAndPayments(DataStore& store, QDate today, QString* error)
{
    SampleRecordMaker maker(kDemoLedgerSeed, today);
    CDaoToriJnlSet ledger(store.connectionFor(CDaoToriJnlSet::tableDef()));
    UnitOfWork work(store.connectionFor(CDaoToriJnlSet::tableDef()));
    auto fail = [&](const EngineError& engine) {
        if (error)
            *error = engine.description;
        return false;
    };
    if (!work.isActive())
        return fail(work.lastError());
    if (!ledger.Open())
        return fail(ledger.lastError());
    auto add = [&](const auto& fill) {
        if (!ledger.AddNew())
            return false;
        fill();
        return ledger.Update();
    };
    int turn = 0;
    for (int monthsBack = 11; monthsBack >= 0; --monthsBack) {
        const QDate month = QDate(today.year(), today.month(), 1).addMonths(-monthsBack);
        const int lastDay = monthsBack == 0 ? today.day() : month.daysInMonth();
        for (int customer = 1; customer <= DemoData::kCustomers; ++customer) {
            if (maker.pick(0, 1) == 0)
                continue;
            const QDate day = month.addDays(maker.pick(0, lastDay - 1));
            const int category = kDemoJobCategories[size_t(turn++ % int(kDemoJobCategories.size()))];
            if (!add([&] { maker.typedSale(ledger, customer, day, category); }))
                return fail(ledger.lastError());
            const int owed = ledger.m_GTot;
            const QDate paid = day.addDays(maker.paymentDelay());
            if (owed != 0 && paid <= today && !add([&] { maker.payment(ledger, customer, paid, owed); }))
                return fail(ledger.lastError());
        }
    }
    ledger.Close();
    return work.commit() || fail(work.lastError());
}

} // namespace

bool DemoData::write(const QString& dataFolder, QDate today, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    DataStore store;
    if (!store.open(dataFolder))
        return fail(store.lastError().description);

    SampleRecordMaker maker(kDemoSeed, today);
    CDaoKokSet customers(store.connectionFor(CDaoKokSet::tableDef()));
    CDaoCarSet vehicles(store.connectionFor(CDaoCarSet::tableDef()));
    CDaoMeisaiSet items(store.connectionFor(CDaoMeisaiSet::tableDef()));
    CDaoZanSet balances(store.connectionFor(CDaoZanSet::tableDef()));
    {
        UnitOfWork work(store.mainConnection());
        if (!work.isActive())
            return fail(work.lastError().description);
        for (Recordset* set : std::initializer_list<Recordset*>{&customers, &vehicles, &items, &balances}) {
            if (!set->Open())
                return fail(set->lastError().description);
        }
        auto add = [&](Recordset& set, const auto& fill) {
            if (!set.AddNew())
                return false;
            fill();
            return set.Update();
        };

        int vehicleCode = 0;
        for (int code = 1; code <= kCustomers; ++code) {
            // Every other customer keeps a second car.
            const int held = code % 2 == 0 ? 2 : 1;
            int address = 0;
            if (!add(customers, [&] { address = maker.customer(customers, code, held, code); }))
                return fail(customers.lastError().description);
            // Each customer has its balance record, as one recorded on the panel has.
            const auto zeroBalance = [&] {
                balances.m_KokCode = code;
                balances.m_KuriZan = 0;
            };
            if (!add(balances, zeroBalance))
                return fail(balances.lastError().description);
            for (int i = 0; i < held; ++i) {
                ++vehicleCode;
                if (!add(vehicles, [&] { maker.vehicle(vehicles, vehicleCode, code, address); }))
                    return fail(vehicles.lastError().description);
            }
        }
        for (int i = 0; i < SampleRecordMaker::itemCount(); ++i) {
            if (!add(items, [&] { maker.item(items, i + 1, i); }))
                return fail(items.lastError().description);
        }
        customers.Close();
        vehicles.Close();
        items.Close();
        balances.Close();
        if (!work.commit())
            return fail(work.lastError().description);
    }
    {
        CDaoSyasyuSet models(store.connectionFor(CDaoSyasyuSet::tableDef()));
        UnitOfWork work(store.pickListConnection());
        if (!work.isActive() || !models.Open())
            return fail(work.isActive() ? models.lastError().description : work.lastError().description);
        for (int i = 0; i < SampleRecordMaker::modelCount(); ++i) {
            if (!models.AddNew())
                return fail(models.lastError().description);
            maker.model(models, i);
            if (!models.Update())
                return fail(models.lastError().description);
        }
        models.Close();
        if (!work.commit())
            return fail(work.lastError().description);
    }
    if (!writeSalesAndPayments(store, today, error))
        return false;
    store.close();
    return storeRecordCounts(dataFolder, error);
}

} // namespace kv::data
