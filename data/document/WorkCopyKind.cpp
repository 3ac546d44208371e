#include "data/document/WorkCopyKind.h"

namespace kv::data {

QStringList WorkCopyKind::filesOf(int kind)
{
    const QString customers = QStringLiteral("010.mdb");
    const QString vehicles = QStringLiteral("009.mdb");
    const QString balances = QStringLiteral("014.mdb");
    const QString ledger = QStringLiteral("013.mdb");
    const QString slipHeaders = QStringLiteral("003.mdb");
    const QString jobCategories = QStringLiteral("004.mdb");
    switch (kind) {
    case 0: case 1: case 2: case 3: case 9: return {customers, vehicles};
    case 4: case 6: return {customers, balances, ledger, jobCategories};
    case 5: case 7: return {customers, balances, ledger};
    case 8: return {customers, ledger, jobCategories};
    case 10: return {customers, vehicles, slipHeaders, jobCategories};
    case 12: return {customers};
    case 13: return {ledger, jobCategories};
    default: return {};
    }
}

} // namespace kv::data
