#include "reports/ui/CDPrintMinyuuko.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/core/ReminderList.h"
#include "reports/core/VehicleLists.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace kv::reports {

CDPrintMinyuuko::CDPrintMinyuuko(Setup setup)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("車検未入庫車輌一覧"))
    , m_month(ReportFields::monthField(this, ReportFields::monthText(QDate::currentDate())))
{
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("基準年月"), m_month);
    fieldsLayout()->addLayout(form);
}

bool CDPrintMinyuuko::checkFields()
{
    const auto first = ReportFields::firstDayOfMonth(m_month->text());
    if (!first) {
        showMessage(ReportFields::kBadDate);
        m_month->setFocus();
        return false;
    }
    if (!pageRange()->check())
        return false;
    m_firstDay = *first;
    return true;
}

std::unique_ptr<ListReport> CDPrintMinyuuko::makeList()
{
    auto list = std::make_unique<ListReport>();
    list->table = std::make_unique<ReminderList>(
        document()->store(), VehicleLists::overdueFilter(m_firstDay), VehicleLists::overdueSort(),
        document()->settings().makes(),
        QStringLiteral("車検満了日 %1 より前").arg(m_firstDay.toString(QStringLiteral("yyyy/MM/dd"))),
        LeadingDate{title(), QStringLiteral("車検満了日"), &data::CarRow::m_Syaman});
    list->rowsPerPage = VehicleLists::kOverduePerPage;
    return list;
}

} // namespace kv::reports
