#include "reports/ui/CDPrintUriZan.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/core/LedgerTables.h"
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
    auto list = std::make_unique<ListReport>();
    list->table = LedgerTables::receivables(owed, order, m_lastDay);
    list->rowsPerPage = ReceivablesList::kCustomersPerPage;
    return list;
}

} // namespace kv::reports
