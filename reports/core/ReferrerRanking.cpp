#include "reports/core/ReferrerRanking.h"

#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "reports/core/BillingRule.h"
#include "reports/core/FilterText.h"
#include "reports/core/ReportPages.h"

#include <QHash>

#include <algorithm>

namespace kv::reports {

int ReferrerRanking::pageCount() const
{
    return ReportPages::ofUnits(int(rows.size()), kRowsPerPage);
}

ReferrerRanking ReferrerRanking::build(data::DataStore& store, const Request& request)
{
    ReferrerRanking ranking;
    data::Connection& connection = store.mainConnection();
    data::ReadSnapshot snapshot(connection);

    CDaoKokSet customers(connection);
    if (!customers.OpenWhere(QStringLiteral("UserName1 <> ") + FilterText::text(FilterText::placeholder()),
                             QStringLiteral("SyoukaiKokCode, KokCode"))) {
        ranking.message = customers.lastError().description;
        return ranking;
    }
    QHash<int, ListedCustomer> names;
    QHash<int, int> referrerOf;
    QHash<int, int> counts;
    for (; !customers.IsEOF(); customers.MoveNext()) {
        const QString name = customers.m_UserName2.isEmpty()
            ? customers.m_UserName1
            : customers.m_UserName1 + u' ' + customers.m_UserName2;
        names.insert(customers.m_KokCode, {customers.m_KokCode, name});
        if (customers.m_SyoukaiKokCode > 0 && customers.m_SyoukaiKokCode != customers.m_KokCode) {
            referrerOf.insert(customers.m_KokCode, customers.m_SyoukaiKokCode);
            ++counts[customers.m_SyoukaiKokCode];
        }
    }

    QHash<int, qint64> sales;
    if (request.order == Order::BySales) {
        CDaoToriJnlSet ledger(connection);
        const QString filter = QStringLiteral("Date >= #%1 00:00:00# AND Date <= #%2 23:59:59#")
                                   .arg(request.period.first.toString(QStringLiteral("yyyy/MM/dd")),
                                        request.period.last.toString(QStringLiteral("yyyy/MM/dd")));
        if (!ledger.OpenWhere(filter, QStringLiteral("KokCode"))) {
            ranking.message = ledger.lastError().description;
            return ranking;
        }
        for (; !ledger.IsEOF(); ledger.MoveNext()) {
            const auto referrer = referrerOf.constFind(ledger.m_KokCode);
            if (referrer != referrerOf.cend()
                && !BillingRule::addWithin(sales[*referrer], BillingRule::saleAmount(ledger.row()))) {
                ranking.message = BillingRule::overflowMessage();
                return ranking;
            }
        }
    }

    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const auto referrer = names.constFind(it.key());
        // A referrer since deleted, or being entered, is not listed.
        if (referrer == names.cend() || it.value() < request.minCount)
            continue;
        ranking.rows.push_back({*referrer, it.value(), sales.value(it.key())});
    }
    std::sort(ranking.rows.begin(), ranking.rows.end(), [&](const Row& a, const Row& b) {
        if (request.order == Order::ByCount && a.introduced != b.introduced)
            return a.introduced > b.introduced;
        if (request.order == Order::BySales && a.sales != b.sales)
            return a.sales > b.sales;
        return a.referrer.code < b.referrer.code;
    });
    if (int(ranking.rows.size()) > request.maxRows)
        ranking.rows.resize(size_t(request.maxRows));
    ranking.ok = true;
    return ranking;
}

} // namespace kv::reports
