#pragma once

#include "data/costs/CostLookup.h"
#include "data/tables/TableRows.h"

#include <QString>

#include <optional>

namespace kv::data {

class Connection;
class SettingsList;

// The statutory costs of one vehicle of the data folder on a date: its
// class and use by the texts of the shop's lists, its eco flag, the shop's
// area and inspection path, all read afresh so that a rate another
// computer just changed is the one used.
class VehicleCosts {
public:
    VehicleCosts(Connection& mainConnection, const SettingsList& classes, const SettingsList& uses);

    // months 0: 25 when the vehicle's current inspection (and with it its
    // insurance) runs past the date, else 24. nullopt after a database
    // error (lastMessage()).
    std::optional<CostQuote> quote(const CarRow& vehicle, QDate date, int months = 0);

    static CostVehicle vehicleOf(const CarRow& vehicle, const SettingsList& classes,
                                 const SettingsList& uses, bool eco);

    const QString& lastMessage() const { return m_lastMessage; }

private:
    Connection& m_connection;
    const SettingsList& m_classes;
    const SettingsList& m_uses;
    QString m_lastMessage;
};

} // namespace kv::data
