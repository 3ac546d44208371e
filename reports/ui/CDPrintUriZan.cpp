#include "reports/ui/CDPrintUriZan.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/core/ReceivablesList.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::reports {

CDPrintUriZan::CDPrintUriZan(Setup setup)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("売掛残金一覧"))
    , m_codeOrder(new QRadioButton(QStringLiteral("顧客ｺｰﾄﾞ順"), this))
    , m_readingOrder(new QRadioButton(QStringLiteral("ﾌﾘｶﾞﾅ順"), this))
    , m_end(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate())))
{
    m_codeOrder->setChecked(true);
    auto* orders = new QHBoxLayout;
    orders->addWidget(m_codeOrder);
    orders->addWidget(m_readingOrder);
    auto* form = new QFormLayout;
    form->addRow(orders);
    form->addRow(QStringLiteral("終了日付"), m_end);
    fieldsLayout()->addLayout(form);
}

bool CDPrintUriZan::checkFields()
{
    const auto day = ReportFields::dateOf(m_end->text());
    if (!day) {
        showMessage(m_end->text().isEmpty() ? ReportFields::kBadDate : ReportFields::kImpossibleDate);
        m_end->setFocus();
        return false;
    }
    if (!pageRange()->check())
        return false;
    m_lastDay = *day;
    return true;
}

std::unique_ptr<ListReport> CDPrintUriZan::makeList()
{
    const auto order = m_readingOrder->isChecked() ? CustomerSelection::Order::Reading : CustomerSelection::Order::Code;
    const ReceivablesList owed = ReceivablesList::build(document()->store(), order, m_lastDay);
    if (!owed.ok) {
        showMessage(owed.message);
        return nullptr;
    }
    std::vector<ReportRow> rows;
    rows.reserve(owed.rows.size());
    for (const ReceivablesList::Row& row : owed.rows)
        rows.push_back({QString::number(row.customer.code), row.customer.name, row.balance});
    std::optional<ReportRow> totals;
    if (!rows.empty())
        totals = ReportRow{QString(), QStringLiteral("合計"), owed.total()};
    auto list = std::make_unique<ListReport>();
    list->table = std::make_unique<FixedReportTable>(
        title(),
        QStringList{QStringLiteral("%1  %2 現在")
                        .arg(order == CustomerSelection::Order::Reading ? QStringLiteral("ﾌﾘｶﾞﾅ順")
                                                                         : QStringLiteral("顧客ｺｰﾄﾞ順"),
                             m_lastDay.toString(QStringLiteral("yyyy/MM/dd")))},
        std::vector<ReportColumn>{ReportColumn::text(QStringLiteral("顧客ｺｰﾄﾞ"), 220, ReportColumn::Align::Right),
                                  ReportColumn::text(QStringLiteral("顧客名"), 900),
                                  ReportColumn::amount(QStringLiteral("売掛残金"), 360)},
        std::move(rows), std::move(totals));
    list->rowsPerPage = ReceivablesList::kCustomersPerPage;
    return list;
}

} // namespace kv::reports
