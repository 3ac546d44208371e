#pragma once

#include "data/tables/TableRows.h"

namespace kv::test {

// A stored slip line as the slip table holds it: index and quantity in
// tenths, 1 in the amounts for "持ち込み" and "サービス".
inline kv::data::SyaJnlRow storedLine(int lineNo, const QString& text, int kubun = 0,
                                      int sisu = 0, int suuryo = 0, int tanka = 0,
                                      int kingaku = 0, int koutin = 0)
{
    kv::data::SyaJnlRow row;
    row.m_LineNo = lineNo;
    row.m_Meisai = text;
    row.m_Kubun = kubun;
    row.m_Sisu = sisu;
    row.m_Suuryo = suuryo;
    row.m_Tanka = tanka;
    row.m_Kingaku = kingaku;
    row.m_Koutin = koutin;
    return row;
}

} // namespace kv::test
