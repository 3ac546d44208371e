#include "data/tools/DemoData.h"

#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/RecordCountWriter.h"
#include "data/tools/SampleRecordMaker.h"

namespace kv::data {

namespace {
// A fixed seed: every demo folder shows the same shop.
constexpr std::uint64_t kDemoSeed = 20240501;
}

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
    store.close();
    return storeRecordCounts(dataFolder, error);
}

} // namespace kv::data
