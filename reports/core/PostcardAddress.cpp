#include "reports/core/PostcardAddress.h"

#include "common/Cp932.h"
#include "data/settings/ShopDetails.h"
#include "data/tables/TableRows.h"

#include <algorithm>

namespace kv::reports {
namespace {

constexpr int kNameBytes = 20;

// A name padded with blanks to 20 bytes, then one blank.
QString paddedName(const QString& name)
{
    const QString cut = cp932::truncateToBytes(name, kNameBytes);
    return cut + QString(std::max(0, kNameBytes - cp932::byteLength(cut)) + 1, QLatin1Char(' '));
}

} // namespace

PostcardAddress PostcardAddress::fromCustomer(const data::KokRow& customer)
{
    return PostcardAddress{customer.m_Post,      customer.m_UserJyu1,  customer.m_UserJyu2,
                           customer.m_UserName1, customer.m_UserName2, customer.m_Sama};
}

QStringList PostcardAddress::postalDigits() const
{
    if (postalCode == 0)
        return {};
    QStringList digits;
    for (QChar digit : QStringLiteral("%1").arg(postalCode, 7, 10, QLatin1Char('0')))
        digits << QString(digit);
    return digits;
}

QStringList PostcardAddress::nameLines() const
{
    const QString honorificPart = honorificText(honorific);
    if (name2.isEmpty())
        return {paddedName(name1) + honorificPart};
    return {paddedName(name1), paddedName(name2) + honorificPart};
}

QString PostcardAddress::honorificText(int honorific)
{
    switch (honorific) {
    case 1: return QStringLiteral("様");
    case 2: return QStringLiteral("殿");
    case 3: return QStringLiteral("御中");
    default: return {};
    }
}

PostcardSender PostcardSender::fromShop(const data::ShopDetails& shop)
{
    return PostcardSender{shop.shopName,   shop.address1,   shop.address2,
                          shop.telephone1, shop.telephone2, shop.fontName};
}

QString PostcardSender::telephoneLine() const
{
    return QStringLiteral("TEL ") + telephone1 + QStringLiteral("   ") + telephone2;
}

} // namespace kv::reports
