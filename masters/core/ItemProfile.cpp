#include "masters/core/ItemProfile.h"

#include "data/settings/UserProfile.h"

namespace kv::masters {
namespace {

QString entry(const QString& section, const char* name)
{
    return section + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

ItemProfile::ItemProfile()
    : m_profile(kv::data::openUserProfile())
{
}

ItemOrder ItemProfile::listOrder(const QString& section, ItemOrder fallback) const
{
    const int value = m_profile->value(entry(section, "CodeFuri"), int(fallback)).toInt();
    return value == 0 ? ItemOrder::Code : ItemOrder::Reading;
}

void ItemProfile::setListOrder(const QString& section, ItemOrder order)
{
    m_profile->setValue(entry(section, "CodeFuri"), int(order));
}

ItemOrder ItemProfile::dialogOrder() const
{
    return listOrder(QStringLiteral("SetMeisaiSortKind"), ItemOrder::Reading);
}

void ItemProfile::setDialogOrder(ItemOrder order)
{
    setListOrder(QStringLiteral("SetMeisaiSortKind"), order);
}

ItemOrder ItemProfile::pickListOrder() const
{
    return listOrder(QStringLiteral("MeisaiSortKind"), ItemOrder::Code);
}

void ItemProfile::setPickListOrder(ItemOrder order)
{
    setListOrder(QStringLiteral("MeisaiSortKind"), order);
}

QString ItemProfile::gridCategorySection(GridContext context)
{
    return context == GridContext::Slip ? QStringLiteral("DenKubunRef")
                                        : QStringLiteral("SetKubunRef");
}

QString ItemProfile::pickListSection(GridContext context)
{
    return context == GridContext::Slip ? QStringLiteral("DenMeisaiRef")
                                        : QStringLiteral("SetMeisaiRef");
}

bool ItemProfile::isShown(const QString& section) const
{
    return m_profile->value(entry(section, "SW"), 0).toInt() == 1;
}

void ItemProfile::setShown(const QString& section, bool shown)
{
    m_profile->setValue(entry(section, "SW"), shown ? 1 : 0);
}

QPoint ItemProfile::position(const QString& section, QPoint fallback) const
{
    const QVariant x = m_profile->value(entry(section, "x"));
    const QVariant y = m_profile->value(entry(section, "y"));
    if (!x.isValid() || !y.isValid())
        return fallback;
    return {x.toInt(), y.toInt()};
}

void ItemProfile::setPosition(const QString& section, QPoint position)
{
    m_profile->setValue(entry(section, "x"), position.x());
    m_profile->setValue(entry(section, "y"), position.y());
}

} // namespace kv::masters
