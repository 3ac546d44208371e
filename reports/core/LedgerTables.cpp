#include "reports/core/LedgerTables.h"

namespace kv::reports::LedgerTables {

namespace {

const QString kDateFormat = QStringLiteral("yyyy/MM/dd");

ReportColumn codeColumn()
{
    return ReportColumn::text(QStringLiteral("顧客ｺｰﾄﾞ"), 220, ReportColumn::Align::Right);
}

ReportRow billingRow(const QString& code, const QString& name, const BillingFigures& figures)
{
    return {code,
            name,
            figures.carryOver,
            figures.receipts,
            figures.periodAmount,
            figures.billingAmount,
            qint64(figures.periodSales)};
}

} // namespace

std::unique_ptr<ReportTable> billing(const BillingOutcome& billed, const CustomerSelection& selection,
                                     const ReportPeriod& period)
{
    std::vector<ReportRow> rows;
    rows.reserve(billed.customers.size());
    for (const CustomerBilling& one : billed.customers)
        rows.push_back(billingRow(QString::number(one.customer.code), one.customer.name, one.figures));
    std::optional<ReportRow> totals;
    if (!rows.empty())
        totals = billingRow(QString(), QStringLiteral("合計"), billed.totals());
    return std::make_unique<FixedReportTable>(
        QStringLiteral("請求一覧"), QStringList{customerHeading(selection), periodHeading(period)},
        std::vector<ReportColumn>{codeColumn(), ReportColumn::text(QStringLiteral("顧客名"), 760),
                                  ReportColumn::amount(QStringLiteral("前回繰越"), 300),
                                  ReportColumn::amount(QStringLiteral("入金額"), 300),
                                  ReportColumn::amount(QStringLiteral("今回売上"), 300),
                                  ReportColumn::amount(QStringLiteral("今回請求額"), 320),
                                  ReportColumn::amount(QStringLiteral("件数"), 160)},
        std::move(rows), std::move(totals));
}

std::unique_ptr<ReportTable> receivables(const ReceivablesList& owed, CustomerSelection::Order order,
                                         const QDate& lastDay)
{
    std::vector<ReportRow> rows;
    rows.reserve(owed.rows.size());
    for (const ReceivablesList::Row& row : owed.rows)
        rows.push_back({QString::number(row.customer.code), row.customer.name, row.balance});
    std::optional<ReportRow> totals;
    if (!rows.empty())
        totals = ReportRow{QString(), QStringLiteral("合計"), owed.total()};
    const QString orderText =
        order == CustomerSelection::Order::Reading ? QStringLiteral("ﾌﾘｶﾞﾅ順") : QStringLiteral("顧客ｺｰﾄﾞ順");
    return std::make_unique<FixedReportTable>(
        QStringLiteral("売掛残金一覧"),
        QStringList{QStringLiteral("%1  %2 現在").arg(orderText, lastDay.toString(kDateFormat))},
        std::vector<ReportColumn>{codeColumn(), ReportColumn::text(QStringLiteral("顧客名"), 900),
                                  ReportColumn::amount(QStringLiteral("売掛残金"), 360)},
        std::move(rows), std::move(totals));
}

QString customerHeading(const CustomerSelection& selection)
{
    QString text = selection.order == CustomerSelection::Order::Reading
        ? QStringLiteral("顧客ﾌﾘｶﾞﾅ %1 ～ %2").arg(selection.readingFrom.trimmed(), selection.readingTo.trimmed())
        : QStringLiteral("顧客ｺｰﾄﾞ %1 ～ %2").arg(selection.codeFrom).arg(selection.codeTo);
    if (selection.closingDay != 0)
        text += QStringLiteral("  締日 %1").arg(selection.closingDay);
    return text;
}

QString periodHeading(const ReportPeriod& period)
{
    return QStringLiteral("期間 %1 ～ %2").arg(period.first.toString(kDateFormat), period.last.toString(kDateFormat));
}

} // namespace kv::reports::LedgerTables
