#pragma once

#include "reports/core/AddressSource.h"
#include "reports/core/ReminderCard.h"
#include "reports/core/SelectedRows.h"

#include "data/settings/RoundingSettings.h"
#include "data/tables/DaoRecordsets.h"

#include <optional>

namespace kv::data {
class SettingsList;
class VehicleCosts;
} // namespace kv::data

namespace kv::reports {

// Where the statutory costs of a reminder come from: the one place the
// costs block asks for its figures.
class ReminderCosts {
public:
    virtual ~ReminderCosts();
    virtual ReminderCard::Costs of(const data::CarRow& vehicle) = 0;
};

// The costs stored with the vehicle, with the consumption tax on the
// agency fee when it is taxable, rounded as the shop rounds tax; the total
// is what the owner pays. With the cost tables, their figures for the
// vehicle's next inspection (on its expiry, the new insurance starting
// before the old one ends: 25 months) replace the stored ones wherever
// the tables decide them.
class StoredReminderCosts final : public ReminderCosts {
public:
    StoredReminderCosts(const data::RoundingSettings& rounding, bool agencyTaxable);
    void takeFiguresFrom(data::VehicleCosts* tables) { m_tables = tables; }
    ReminderCard::Costs of(const data::CarRow& vehicle) override;

private:
    data::RoundingSettings m_rounding;
    bool m_agencyTaxable = false;
    data::VehicleCosts* m_tables = nullptr;
};

// The vehicles of a selection with their owners, reached by their place
// in the selection's order.
class SelectedVehicleOwners {
public:
    struct Entry {
        data::CarRow vehicle;
        data::KokRow owner;
    };

    SelectedVehicleOwners(data::DataStore& store, const QString& filter, const QString& sort);

    bool isOpen() const { return m_vehicles.isOpen(); }
    const data::EngineError& lastError() const { return m_vehicles.lastError(); }
    int count() const { return m_vehicles.count(); }
    // None when the vehicle or its owner has gone since the selection.
    std::optional<Entry> at(int index);

private:
    SelectedRows<CDaoCarSet> m_vehicles;
    CDaoKokSet m_owners;
};

// The owners of a selection of vehicles as addressees, one for each
// vehicle: the reminder's labels.
class VehicleOwnerAddresses final : public AddressSource {
public:
    VehicleOwnerAddresses(data::DataStore& store, const QString& filter, const QString& sort);

    int count() override { return m_entries.count(); }
    std::optional<PostcardAddress> at(int index) override;

private:
    SelectedVehicleOwners m_entries;
};

// The reminder cards of a selection of vehicles, one per vehicle in the
// selection's order: the owner's address side, make and model, plate, the
// expiry in its era and, when there is a cost source, the costs block.
// Cards are made when asked for; none is held.
class ReminderCards {
public:
    // costs: none leaves the costs block out.
    ReminderCards(data::DataStore& store, const QString& filter, const QString& sort,
                  const data::SettingsList& makes, ReminderCosts* costs);

    bool isOpen() const { return m_entries.isOpen(); }
    const data::EngineError& lastError() const { return m_entries.lastError(); }
    int count() const { return m_entries.count(); }
    // None when the vehicle or its owner has gone since the selection.
    std::optional<ReminderCard> at(int index);

    static ReminderCard cardOf(const data::CarRow& vehicle, const data::KokRow& owner,
                               const QString& makeName, ReminderCosts* costs);

private:
    SelectedVehicleOwners m_entries;
    const data::SettingsList& m_makes;
    ReminderCosts* m_costs = nullptr;
};

} // namespace kv::reports
