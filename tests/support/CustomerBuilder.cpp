#include "support/CustomerBuilder.h"

#include "data/engine/DayNumber.h"

namespace kv::test {

CustomerBuilder::CustomerBuilder(int code)
{
    set(&CDaoKokSet::m_KokCode, code);
}

CustomerBuilder& CustomerBuilder::name(const QString& first, const QString& second)
{
    return set(&CDaoKokSet::m_UserName1, first).set(&CDaoKokSet::m_UserName2, second);
}

CustomerBuilder& CustomerBuilder::reading(const QString& kana)
{
    return set(&CDaoKokSet::m_Furi, kana);
}

CustomerBuilder& CustomerBuilder::owner(const QString& first, const QString& second)
{
    return set(&CDaoKokSet::m_OwnerName1, first).set(&CDaoKokSet::m_OwnerName2, second);
}

CustomerBuilder& CustomerBuilder::address(const QString& line1, const QString& line2)
{
    return set(&CDaoKokSet::m_UserJyu1, line1).set(&CDaoKokSet::m_UserJyu2, line2);
}

CustomerBuilder& CustomerBuilder::base(const QString& line1, const QString& line2)
{
    return set(&CDaoKokSet::m_UseBase1, line1).set(&CDaoKokSet::m_UseBase2, line2);
}

CustomerBuilder& CustomerBuilder::postalCode(int code)
{
    return set(&CDaoKokSet::m_Post, code);
}

CustomerBuilder& CustomerBuilder::phone(const QString& number)
{
    return set(&CDaoKokSet::m_Tel1, number);
}

CustomerBuilder& CustomerBuilder::birthday(const QDate& date)
{
    return set(&CDaoKokSet::m_Burth, data::toDayNumber(date));
}

CustomerBuilder& CustomerBuilder::referrer(int customerCode)
{
    return set(&CDaoKokSet::m_SyoukaiKokCode, customerCode);
}

CustomerBuilder& CustomerBuilder::vehicles(int count)
{
    return set(&CDaoKokSet::m_Hoyu, count);
}

} // namespace kv::test
