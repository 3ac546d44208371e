#include "support/LedgerBuilder.h"

#include "data/engine/DayNumber.h"

namespace kv::test {

LedgerBuilder::LedgerBuilder(int customerCode, const QDate& date)
{
    set(&CDaoToriJnlSet::m_KokCode, customerCode);
    set(&CDaoToriJnlSet::m_Date, data::toDayNumber(date, QTime(12, 0)));
}

LedgerBuilder& LedgerBuilder::sale(int amount)
{
    return set(&CDaoToriJnlSet::m_ToriKbn, 1).set(&CDaoToriJnlSet::m_Tot, amount).set(&CDaoToriJnlSet::m_GTot, amount);
}

LedgerBuilder& LedgerBuilder::paidSale(int amount, int received)
{
    return set(&CDaoToriJnlSet::m_ToriKbn, 0)
        .set(&CDaoToriJnlSet::m_Tot, amount)
        .set(&CDaoToriJnlSet::m_Nyu, received)
        .set(&CDaoToriJnlSet::m_GTot, amount - received);
}

LedgerBuilder& LedgerBuilder::payment(int received, int adjustment)
{
    return set(&CDaoToriJnlSet::m_ToriKbn, 2)
        .set(&CDaoToriJnlSet::m_Nyu, received)
        .set(&CDaoToriJnlSet::m_NyuCho, adjustment)
        .set(&CDaoToriJnlSet::m_GTot, -(received + adjustment));
}

LedgerBuilder& LedgerBuilder::category(int jobCategory)
{
    return set(&CDaoToriJnlSet::m_NyuukoKbnCode, jobCategory);
}

BalanceBuilder::BalanceBuilder(int customerCode, int carriedForward)
{
    set(&CDaoZanSet::m_KokCode, customerCode);
    set(&CDaoZanSet::m_KuriZan, carriedForward);
}

} // namespace kv::test
