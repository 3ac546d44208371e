#include "ledger/core/LedgerRows.h"

#include "common/KVCommon.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/engine/DayNumber.h"
#include "data/engine/ReadSnapshot.h"
#include "data/tables/DaoRecordsets.h"
#include "ledger/core/LedgerAmounts.h"

#include <algorithm>

namespace kv::ledger {

namespace {

// A stored amount may have ten digits, more than Kanma shows without
// cutting it and asking once per cell.
QString amountText(int value)
{
    return groupedAmount(value);
}

QString dateText(double dayNumber)
{
    const QDateTime dateTime = data::fromDayNumber(dayNumber);
    return dateTime.isValid() ? dateTime.date().toString(QStringLiteral("yy/MM/dd")) : QString();
}

QString slipText(const data::ToriJnlRow& row)
{
    if (row.m_DenFlag == 1)
        return QStringLiteral("%1").arg(row.m_DenNo, 6, 10, QLatin1Char('0'));
    if (row.m_DenNo != 0)
        return QStringLiteral("(%1)").arg(row.m_DenNo, 6, 10, QLatin1Char('0'));
    return {};
}

} // namespace

LedgerRows::LedgerRows(qint64 carriedForward, const std::vector<data::ToriJnlRow>& rows,
                       std::vector<slips::JobCategory> categories)
    : m_carriedForward(carriedForward), m_categories(std::move(categories))
{
    m_lines.reserve(rows.size());
    for (const data::ToriJnlRow& row : rows)
        m_lines.push_back(lineOf(row));
    recomputeBalances();
}

std::optional<LedgerRows> LedgerRows::load(data::CCarMaintenanceDoc& document, int customerCode,
                                           QString* error)
{
    data::Connection& connection = document.store().mainConnection();
    // The balance and the rows as of one moment, with the files' locks
    // taken once for the walk instead of once per row.
    data::ReadSnapshot snapshot(connection);
    const QString customer = QStringLiteral("KokCode = %1").arg(customerCode);

    CDaoZanSet balance(connection);
    balance.SetFilter(customer);
    CDaoNyuukoKbnSet kinds(connection);
    kinds.SetSort(QStringLiteral("NyuukoKbnCode"));
    CDaoToriJnlSet ledger(connection);
    ledger.SetFilter(customer);
    ledger.SetSort(QStringLiteral("Date, ID"));
    for (data::Recordset* set : {static_cast<data::Recordset*>(&balance),
                                 static_cast<data::Recordset*>(&kinds),
                                 static_cast<data::Recordset*>(&ledger)}) {
        if (!set->Open()) {
            *error = set->lastError().description;
            return std::nullopt;
        }
    }

    std::vector<slips::JobCategory> categories;
    for (; !kinds.IsEOF() && int(categories.size()) < kMaxCategories; kinds.MoveNext())
        categories.push_back({kinds.m_NyuukoKbnCode, kinds.m_NyuukoKind, kinds.m_NyuukoKbn});
    std::vector<data::ToriJnlRow> rows;
    for (; !ledger.IsEOF(); ledger.MoveNext())
        rows.push_back(ledger.row());
    const qint64 carried = balance.GetRecordCount() > 0 ? balance.m_KuriZan : 0;
    return LedgerRows(carried, rows, std::move(categories));
}

const slips::JobCategory* LedgerRows::category(int code) const
{
    for (const slips::JobCategory& item : m_categories) {
        if (item.code == code)
            return &item;
    }
    return nullptr;
}

LedgerLine LedgerRows::lineOf(const data::ToriJnlRow& row) const
{
    LedgerLine line;
    line.id = row.m_ID;
    line.dateTime = row.m_Date;
    line.linkedSlip = row.m_DenFlag == 1 ? row.m_DenNo : 0;
    line.effect = row.m_GTot;
    const slips::JobCategory* kind = category(row.m_NyuukoKbnCode);
    auto set = [&line](LedgerColumn column, QString text) { line.texts[size_t(column)] = std::move(text); };
    set(LedgerColumn::Date, dateText(row.m_Date));
    set(LedgerColumn::SlipNo, slipText(row));
    set(LedgerColumn::Category, kind ? kind->name : QString());
    set(LedgerColumn::Buhin, amountText(row.m_Buhin));
    set(LedgerColumn::Koutin, amountText(row.m_Koutin));
    set(LedgerColumn::Sonota, amountText(row.m_Sonota));
    set(LedgerColumn::Zei, amountText(row.m_Zei));
    // Sums of stored columns: an int could overflow.
    set(LedgerColumn::Costs, groupedAmount(qint64(row.m_HikaSyohi) + row.m_KaSyohi + row.m_SyoZei));
    set(LedgerColumn::Tot, amountText(row.m_Tot));
    set(LedgerColumn::Payments, groupedAmount(qint64(row.m_Nyu) + row.m_NyuCho));
    set(LedgerColumn::Result, amountText(row.m_GTot));
    set(LedgerColumn::Note, row.m_Tekiyo);
    return line;
}

void LedgerRows::setCarriedForward(qint64 value)
{
    m_carriedForward = value;
    recomputeBalances();
}

void LedgerRows::put(const data::ToriJnlRow& row)
{
    const int at = indexOfId(row.m_ID);
    if (at < 0)
        m_lines.push_back(lineOf(row));
    else
        m_lines[size_t(at)] = lineOf(row);
    reorder();
}

bool LedgerRows::remove(int id)
{
    const int at = indexOfId(id);
    if (at < 0)
        return false;
    m_lines.erase(m_lines.begin() + at);
    recomputeBalances();
    return true;
}

void LedgerRows::reorder()
{
    std::stable_sort(m_lines.begin(), m_lines.end(), [](const LedgerLine& a, const LedgerLine& b) {
        return a.dateTime != b.dateTime ? a.dateTime < b.dateTime : a.id < b.id;
    });
    recomputeBalances();
}

void LedgerRows::recomputeBalances()
{
    qint64 balance = m_carriedForward;
    for (LedgerLine& line : m_lines) {
        balance += line.effect;
        line.balance = balance;
        line.texts[size_t(LedgerColumn::Balance)] = groupedAmount(balance);
    }
}

int LedgerRows::indexOfId(int id) const
{
    const auto it = std::find_if(m_lines.begin(), m_lines.end(),
                                 [id](const LedgerLine& line) { return line.id == id; });
    return it == m_lines.end() ? -1 : int(it - m_lines.begin());
}

int LedgerRows::indexOfSlip(int slipNumber) const
{
    const auto it = std::find_if(m_lines.begin(), m_lines.end(), [slipNumber](const LedgerLine& line) {
        return slipNumber != 0 && line.linkedSlip == slipNumber;
    });
    return it == m_lines.end() ? -1 : int(it - m_lines.begin());
}

int LedgerRows::firstBalanceBeyondLimit() const
{
    const auto it = std::find_if(m_lines.begin(), m_lines.end(), [](const LedgerLine& line) {
        return line.balance > kBalanceLimit || line.balance < -kBalanceLimit;
    });
    return it == m_lines.end() ? -1 : int(it - m_lines.begin());
}

} // namespace kv::ledger
