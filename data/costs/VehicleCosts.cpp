#include "data/costs/VehicleCosts.h"

#include "data/costs/CostStore.h"
#include "data/settings/SettingsList.h"
#include "data/tables/VehicleTexts.h"

namespace kv::data {

VehicleCosts::VehicleCosts(Connection& mainConnection, const SettingsList& classes,
                           const SettingsList& uses)
    : m_connection(mainConnection)
    , m_classes(classes)
    , m_uses(uses)
{
}

CostVehicle VehicleCosts::vehicleOf(const CarRow& car, const SettingsList& classes,
                                    const SettingsList& uses, bool eco)
{
    CostVehicle v;
    v.classText = classes.entry(car.m_Syubetu);
    v.useText = uses.entry(car.m_Youto);
    v.jiei = car.m_Jiei;
    v.weightKg = car.m_Jyuryo;
    v.firstRegistration = VehicleTexts::dateOf(car.m_Syonen);
    v.eco = eco;
    return v;
}

std::optional<CostQuote> VehicleCosts::quote(const CarRow& car, QDate date, int months)
{
    CostStore store(m_connection);
    auto rows = store.rows();
    const auto settings = rows ? store.settings() : std::nullopt;
    if (!rows || !settings) {
        m_lastMessage = store.lastMessage();
        return std::nullopt;
    }
    if (months == 0)
        months = CostLookup::insuranceMonths(VehicleTexts::dateOf(car.m_Syaman), date);
    const CostVehicle vehicle = vehicleOf(car, m_classes, m_uses, store.isEco(car.m_CarCode));
    return CostLookup(std::move(*rows)).quote(vehicle, date, settings->area, settings->path, months);
}

} // namespace kv::data
