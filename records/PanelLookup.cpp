#include "records/PanelLookup.h"

#include "records/PanelRecordBinding.h"
#include "records/PanelRecordSource.h"

#include "common/Cp932.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"

namespace kv::records {
namespace {

QString endMessage(PanelLookup::Direction direction)
{
    return direction == PanelLookup::Direction::Previous ? QStringLiteral("前にデータが存在しません！")
                                                         : QStringLiteral("次にデータが存在しません！");
}

PanelLookupResult failed(const QString& message)
{
    PanelLookupResult result;
    result.message = message;
    return result;
}

bool move(kv::data::Recordset& set, PanelLookup::Direction direction)
{
    if (direction == PanelLookup::Direction::Previous) {
        set.MovePrev();
        return !set.IsBOF();
    }
    set.MoveNext();
    return !set.IsEOF();
}

} // namespace

PanelLookup::PanelLookup(PanelRecordSource& source) : m_source(source)
{
}

QString PanelLookup::placeholderText()
{
    return QStringLiteral("新規作成中");
}

QString PanelLookup::missingCustomer()
{
    return QStringLiteral("該当顧客が存在しません！");
}

QString PanelLookup::missingVehicle()
{
    return QStringLiteral("該当車輌が存在しません！");
}

QString PanelLookup::brokenVehicle()
{
    return QStringLiteral("該当顧客が存在しません！\nこの車輌は異常です！");
}

QString PanelLookup::referrerNameOf(const QString& userName1, const QString& userName2)
{
    return cp932::truncateToBytes(userName1 + userName2, 20);
}

QString PanelLookup::missingReferrerName()
{
    return QStringLiteral("該当紹介元顧客なし！");
}

bool PanelLookup::currentCustomerIsPlaceholder()
{
    return m_source.customers().IsDeleted() || m_source.customers().m_UserName1 == placeholderText();
}

bool PanelLookup::currentVehicleIsPlaceholder()
{
    return m_source.vehicles().IsDeleted() || m_source.vehicles().m_Syatai == placeholderText();
}

void PanelLookup::showCurrentCustomer(PanelValues& values)
{
    CDaoKokSet& customers = m_source.customers();
    PanelRecordBinding::showCustomer(customers, values);
    const int code = customers.m_KokCode;
    const int referrer = customers.m_SyoukaiKokCode;
    if (referrer == 0)
        return;
    if (m_source.FindCustomer(referrer) && !currentCustomerIsPlaceholder())
        values.setText(PanelField::SyoukaiName,
                       referrerNameOf(customers.m_UserName1, customers.m_UserName2));
    else
        values.setText(PanelField::SyoukaiName, missingReferrerName());
    // Stepping and recording go on from the shown customer.
    m_source.FindCustomer(code);
}

bool PanelLookup::showFirstVehicleOf(int customerCode, PanelValues& values)
{
    if (m_source.FindFirstVehicleOfCustomer(customerCode) && !currentVehicleIsPlaceholder()) {
        PanelRecordBinding::showVehicle(m_source.vehicles(), values);
        return true;
    }
    PanelRecordBinding::clearVehicle(values);
    return false;
}

PanelLookupResult PanelLookup::customer(int code)
{
    using data::ShareLockAction::IsHeldElsewhere;
    // A code another computer is entering as a new customer is no customer yet.
    if (!m_source.ShareLock(QStringLiteral("NewKokDummy"), code, IsHeldElsewhere)
        || !m_source.FindCustomer(code) || currentCustomerIsPlaceholder())
        return failed(missingCustomer());
    PanelLookupResult result;
    result.ok = true;
    showCurrentCustomer(result.values);
    result.hasVehicle = showFirstVehicleOf(code, result.values);
    return result;
}

PanelLookupResult PanelLookup::vehicle(int code)
{
    using data::ShareLockAction::IsHeldElsewhere;
    if (!m_source.ShareLock(QStringLiteral("NewCarDummy"), code, IsHeldElsewhere)
        || !m_source.FindVehicle(code) || currentVehicleIsPlaceholder())
        return failed(missingVehicle());
    PanelLookupResult result;
    PanelRecordBinding::showVehicle(m_source.vehicles(), result.values);
    if (!m_source.FindCustomer(m_source.vehicles().m_KokCode))
        return failed(brokenVehicle());
    if (currentCustomerIsPlaceholder())
        return failed(QStringLiteral("該当車輛が存在しません！"));
    showCurrentCustomer(result.values);
    result.ok = true;
    result.hasVehicle = true;
    return result;
}

PanelLookupResult PanelLookup::stepCustomer(int shownCode, Direction direction)
{
    if (!m_source.FindCustomer(shownCode))
        return failed(missingCustomer());
    CDaoKokSet& customers = m_source.customers();
    do {
        if (!move(customers, direction))
            return failed(endMessage(direction));
    } while (currentCustomerIsPlaceholder());
    const int code = customers.m_KokCode;
    if (code == shownCode)
        return failed(endMessage(direction));
    PanelLookupResult result;
    result.ok = true;
    showCurrentCustomer(result.values);
    result.hasVehicle = showFirstVehicleOf(code, result.values);
    return result;
}

PanelLookupResult PanelLookup::stepVehicle(int shownCode, Direction direction)
{
    if (!m_source.FindVehicle(shownCode))
        return failed(brokenVehicle());
    CDaoCarSet& vehicles = m_source.vehicles();
    do {
        if (!move(vehicles, direction))
            return failed(endMessage(direction));
    } while (currentVehicleIsPlaceholder());
    PanelLookupResult result;
    PanelRecordBinding::showVehicle(vehicles, result.values);
    if (!m_source.FindCustomer(vehicles.m_KokCode) || currentCustomerIsPlaceholder())
        return failed(missingCustomer());
    showCurrentCustomer(result.values);
    result.ok = true;
    result.hasVehicle = true;
    return result;
}

} // namespace kv::records
