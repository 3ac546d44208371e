#include "reports/core/CustomerLedgers.h"

#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "reports/core/ClosingPeriod.h"

#include <QHash>

namespace kv::reports {

namespace {

QString nameOf(const data::KokRow& row)
{
    return row.m_UserName2.isEmpty() ? row.m_UserName1 : row.m_UserName1 + u' ' + row.m_UserName2;
}

} // namespace

CustomerLedgers::Outcome CustomerLedgers::walk(data::DataStore& store, const CustomerSelection& selection,
                                               const QDate& lastDay, const Visit& visit)
{
    Outcome outcome;
    data::Connection& connection = store.mainConnection();
    data::ReadSnapshot snapshot(connection);

    CDaoKokSet customers(connection);
    if (!customers.OpenWhere(selection.filter(), selection.sort())) {
        outcome.message = customers.lastError().description;
        return outcome;
    }
    QHash<int, size_t> indexOf;
    for (; !customers.IsEOF(); customers.MoveNext()) {
        indexOf.insert(customers.m_KokCode, outcome.customers.size());
        outcome.customers.push_back({customers.m_KokCode, nameOf(customers)});
    }

    // The first balance record of a customer counts, as a look-up finds it.
    std::vector<std::optional<qint64>> carried(outcome.customers.size());
    CDaoZanSet balances(connection);
    if (!balances.Open()) {
        outcome.message = balances.lastError().description;
        return outcome;
    }
    for (; !balances.IsEOF(); balances.MoveNext()) {
        const auto found = indexOf.constFind(balances.m_KokCode);
        if (found != indexOf.cend() && !carried[*found])
            carried[*found] = balances.m_KuriZan;
    }
    for (const auto& balance : carried) {
        if (!balance) {
            outcome.message = missingBalanceMessage();
            return outcome;
        }
    }

    QString filter = QStringLiteral("(%1)").arg(ReportPeriod{lastDay, lastDay}.ledgerFilter());
    if (selection.order == CustomerSelection::Order::Code)
        filter = QStringLiteral("(KokCode >= %1 AND KokCode <= %2) AND ")
                     .arg(selection.codeFrom)
                     .arg(selection.codeTo)
            + filter;
    CDaoToriJnlSet ledger(connection);
    if (!ledger.OpenWhere(filter, QStringLiteral("KokCode, Date"))) {
        outcome.message = ledger.lastError().description;
        return outcome;
    }
    std::vector<bool> visited(outcome.customers.size(), false);
    std::vector<data::ToriJnlRow> rows;
    auto flush = [&](int code) -> std::optional<QString> {
        const auto found = indexOf.constFind(code);
        if (found == indexOf.cend())
            return std::nullopt;
        visited[*found] = true;
        return visit(*found, *carried[*found], rows);
    };
    for (; !ledger.IsEOF(); ledger.MoveNext()) {
        if (!rows.empty() && rows.back().m_KokCode != ledger.m_KokCode) {
            if (auto stop = flush(rows.back().m_KokCode)) {
                outcome.message = *stop;
                return outcome;
            }
            rows.clear();
        }
        rows.push_back(ledger.row());
    }
    if (!rows.empty()) {
        if (auto stop = flush(rows.back().m_KokCode)) {
            outcome.message = *stop;
            return outcome;
        }
        rows.clear();
    }
    for (size_t i = 0; i < visited.size(); ++i) {
        if (visited[i])
            continue;
        if (auto stop = visit(i, *carried[i], rows)) {
            outcome.message = *stop;
            return outcome;
        }
    }
    outcome.ok = true;
    return outcome;
}

} // namespace kv::reports
