#include "support/ItemBuilder.h"

namespace kv::test {

ItemBuilder::ItemBuilder(int code)
{
    set(&CDaoMeisaiSet::m_MeisaiCode, code);
}

ItemBuilder& ItemBuilder::text(const QString& text)
{
    return set(&CDaoMeisaiSet::m_Meisai, text);
}

ItemBuilder& ItemBuilder::reading(const QString& kana)
{
    return set(&CDaoMeisaiSet::m_Furi, kana);
}

ItemBuilder& ItemBuilder::category(int category)
{
    return set(&CDaoMeisaiSet::m_Kubun, category);
}

ItemBuilder& ItemBuilder::price(int yen)
{
    return set(&CDaoMeisaiSet::m_Tanka, yen);
}

} // namespace kv::test
