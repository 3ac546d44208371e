#include "reports/core/ReminderCards.h"

#include "data/costs/VehicleCosts.h"
#include "data/settings/SettingsList.h"
#include "data/tables/VehicleTexts.h"

#include <algorithm>
#include <limits>

namespace kv::reports {

namespace {
constexpr int kRenewalMonths = 25;
} // namespace

ReminderCosts::~ReminderCosts() = default;

StoredReminderCosts::StoredReminderCosts(const data::RoundingSettings& rounding, bool agencyTaxable)
    : m_rounding(rounding)
    , m_agencyTaxable(agencyTaxable)
{
}

ReminderCard::Costs StoredReminderCosts::of(const data::CarRow& vehicle)
{
    ReminderCard::Costs costs;
    costs.compulsoryInsurance = vehicle.m_Jibai;
    costs.weightTax = vehicle.m_JyuZei;
    costs.stampFee = vehicle.m_Insi;
    costs.agencyFee = vehicle.m_Daiko;
    const QDate expiry = data::VehicleTexts::dateOf(vehicle.m_Syaman);
    if (m_tables && expiry.isValid()) {
        if (const auto quote = m_tables->quote(vehicle, expiry, kRenewalMonths)) {
            for (const auto& [figure, amount] :
                 {std::pair{&quote->insurance, &costs.compulsoryInsurance},
                  {&quote->weightTax, &costs.weightTax}, {&quote->inspectionFee, &costs.stampFee}}) {
                if (figure->decided)
                    *amount = figure->amount;
            }
        }
    }
    if (m_agencyTaxable) {
        const qint64 tax = data::roundFraction(
            qint64(vehicle.m_Daiko) * data::rateInHundredthsOfPercent(m_rounding.taxRate), 10000,
            m_rounding.tax);
        costs.agencyTax = int(std::clamp<qint64>(tax, std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
    }
    // Summed wide: four stored amounts of nine digits each may pass an int.
    const qint64 total = qint64(costs.compulsoryInsurance) + costs.weightTax + costs.stampFee
        + costs.agencyFee + costs.agencyTax;
    costs.total = int(std::clamp<qint64>(total, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));
    return costs;
}

SelectedVehicleOwners::SelectedVehicleOwners(data::DataStore& store, const QString& filter,
                                             const QString& sort)
    : m_vehicles(store, filter, sort)
    , m_owners(store.connectionFor(CDaoKokSet::tableDef()))
{
}

std::optional<SelectedVehicleOwners::Entry> SelectedVehicleOwners::at(int index)
{
    std::optional<data::CarRow> vehicle = m_vehicles.at(index);
    if (!vehicle)
        return std::nullopt;
    if (!m_owners.OpenWhere(QStringLiteral("KokCode = %1").arg(vehicle->m_KokCode))
        || m_owners.IsEOF())
        return std::nullopt;
    return Entry{std::move(*vehicle), m_owners.row()};
}

VehicleOwnerAddresses::VehicleOwnerAddresses(data::DataStore& store, const QString& filter,
                                             const QString& sort)
    : m_entries(store, filter, sort)
{
}

std::optional<PostcardAddress> VehicleOwnerAddresses::at(int index)
{
    const auto entry = m_entries.at(index);
    if (!entry)
        return std::nullopt;
    return PostcardAddress::fromCustomer(entry->owner);
}

ReminderCards::ReminderCards(data::DataStore& store, const QString& filter, const QString& sort,
                             const data::SettingsList& makes, ReminderCosts* costs)
    : m_entries(store, filter, sort)
    , m_makes(makes)
    , m_costs(costs)
{
}

std::optional<ReminderCard> ReminderCards::at(int index)
{
    const auto entry = m_entries.at(index);
    if (!entry)
        return std::nullopt;
    return cardOf(entry->vehicle, entry->owner, m_makes.entry(entry->vehicle.m_Syamei), m_costs);
}

ReminderCard ReminderCards::cardOf(const data::CarRow& vehicle, const data::KokRow& owner,
                                   const QString& makeName, ReminderCosts* costs)
{
    namespace T = data::VehicleTexts;
    ReminderCard card;
    card.addressee = PostcardAddress::fromCustomer(owner);
    card.vehicleName = T::vehicleName(makeName, vehicle.m_Syasyu).trimmed();
    card.plate = T::plate(vehicle).trimmed();
    card.expiry = T::nextInspection(T::dateOf(vehicle.m_Syaman));
    if (costs)
        card.costs = costs->of(vehicle);
    return card;
}

} // namespace kv::reports
