#include "reports/ui/CDPrintSeikyu.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/core/LedgerTables.h"
#include "reports/ui/LedgerPeriodGroup.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QCheckBox>
#include <QSettings>
#include <QVBoxLayout>

namespace kv::reports {

namespace {

const QString kSection = QStringLiteral("PrintSeikyu");

} // namespace

CDPrintSeikyu::CDPrintSeikyu(Setup setup, QSettings* profile)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("請求一覧"))
    , m_profile(profile)
    , m_customers(new CustomerRangeGroup(this))
    , m_period(new LedgerPeriodGroup(this))
    , m_sales(new QCheckBox(QStringLiteral("明細のある顧客"), this))
    , m_amount(new QCheckBox(QStringLiteral("請求額のある顧客"), this))
{
    m_sales->setChecked(profile && profile->value(kSection + QStringLiteral("/Meisai"), 0).toInt() != 0);
    m_amount->setChecked(!profile || profile->value(kSection + QStringLiteral("/Seikyu"), 1).toInt() != 0);
    fieldsLayout()->addWidget(m_customers);
    fieldsLayout()->addWidget(m_period);
    fieldsLayout()->addWidget(m_sales);
    fieldsLayout()->addWidget(m_amount);
}

bool CDPrintSeikyu::checkFields()
{
    const auto selection = m_customers->checkedSelection();
    if (!selection)
        return false;
    const auto period = m_period->checked();
    if (!period || !pageRange()->check())
        return false;
    m_selection = *selection;
    m_selection.closingDay = period->closingDay;
    m_checkedPeriod = period->period;
    if (m_profile) {
        m_profile->setValue(kSection + QStringLiteral("/Meisai"), m_sales->isChecked() ? 1 : 0);
        m_profile->setValue(kSection + QStringLiteral("/Seikyu"), m_amount->isChecked() ? 1 : 0);
    }
    return true;
}

std::unique_ptr<ListReport> CDPrintSeikyu::makeList()
{
    BillingRequest asked;
    asked.customers = m_selection;
    asked.period = m_checkedPeriod;
    asked.inclusion = {m_sales->isChecked(), m_amount->isChecked()};
    const BillingOutcome billed = BillingStatements::run(document()->store(), asked);
    if (!billed.ok) {
        showMessage(billed.message);
        return nullptr;
    }
    auto list = std::make_unique<ListReport>();
    list->table = LedgerTables::billing(billed, m_selection, m_checkedPeriod);
    // A page holds 19 rows with the totals' row counted on the last.
    list->rowsPerPage = BillingOutcome::kRowsPerPage;
    list->totalsTakeARow = true;
    return list;
}

} // namespace kv::reports
