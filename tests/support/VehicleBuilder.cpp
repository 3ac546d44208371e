#include "support/VehicleBuilder.h"

#include "data/engine/DayNumber.h"

namespace kv::test {

VehicleBuilder::VehicleBuilder(int code)
{
    set(&CDaoCarSet::m_CarCode, code);
}

VehicleBuilder& VehicleBuilder::owner(int customerCode)
{
    return set(&CDaoCarSet::m_KokCode, customerCode);
}

VehicleBuilder& VehicleBuilder::plate(const QString& office, int classNumber, const QString& kana,
                                      int number)
{
    return set(&CDaoCarSet::m_Rikuji, office)
        .set(&CDaoCarSet::m_Rno, classNumber)
        .set(&CDaoCarSet::m_Kana, kana)
        .set(&CDaoCarSet::m_Preno, number);
}

VehicleBuilder& VehicleBuilder::chassis(const QString& number)
{
    return set(&CDaoCarSet::m_Syatai, number);
}

VehicleBuilder& VehicleBuilder::maker(int makerCode)
{
    return set(&CDaoCarSet::m_Syamei, makerCode);
}

VehicleBuilder& VehicleBuilder::model(const QString& name)
{
    return set(&CDaoCarSet::m_Syasyu, name);
}

VehicleBuilder& VehicleBuilder::inspectionExpiry(const QDate& date)
{
    return inspectionExpiry(data::toDayNumber(date));
}

VehicleBuilder& VehicleBuilder::inspectionExpiry(double dayNumber)
{
    return set(&CDaoCarSet::m_Syaman, dayNumber);
}

VehicleBuilder& VehicleBuilder::insuranceExpiry(const QDate& date)
{
    return set(&CDaoCarSet::m_Homan, data::toDayNumber(date));
}

VehicleBuilder& VehicleBuilder::registered(const QDate& date)
{
    return set(&CDaoCarSet::m_Tounen, data::toDayNumber(date));
}

VehicleBuilder& VehicleBuilder::firstRegistered(const QDate& date)
{
    return set(&CDaoCarSet::m_Syonen, data::toDayNumber(date));
}

} // namespace kv::test
