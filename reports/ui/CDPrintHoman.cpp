#include "reports/ui/CDPrintHoman.h"

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

namespace {

QString nextMonth()
{
    return ReportFields::monthText(QDate::currentDate().addMonths(1));
}

} // namespace

CDPrintHoman::CDPrintHoman(Setup setup)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("任意保険満期予定車輌一覧"))
    , m_start(ReportFields::monthField(this, nextMonth()))
    , m_end(ReportFields::monthField(this, nextMonth()))
{
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("開始年月"), m_start);
    form->addRow(QStringLiteral("終了年月"), m_end);
    fieldsLayout()->addLayout(form);
}

bool CDPrintHoman::checkFields()
{
    const auto first = ReportFields::firstDayOfMonth(m_start->text());
    if (!first) {
        showMessage(ReportFields::kBadDate);
        m_start->setFocus();
        return false;
    }
    const auto last = ReportFields::lastDayOfMonth(m_end->text());
    if (!last) {
        showMessage(ReportFields::kBadDate);
        m_end->setFocus();
        return false;
    }
    if (*last < *first) {
        showMessage(ReportFields::kEndBeforeStart);
        m_start->setFocus();
        return false;
    }
    if (!pageRange()->check())
        return false;
    m_first = *first;
    m_last = *last;
    return true;
}

std::unique_ptr<ListReport> CDPrintHoman::makeList()
{
    const QString format = QStringLiteral("yyyy/MM/dd");
    auto list = std::make_unique<ListReport>();
    list->table = std::make_unique<ReminderList>(
        document()->store(), VehicleLists::insuranceFilter(m_first, m_last), VehicleLists::insuranceSort(),
        document()->settings().makes(),
        QStringLiteral("任意保険満期 %1 ～ %2").arg(m_first.toString(format), m_last.toString(format)),
        LeadingDate{title(), QStringLiteral("任意保険満期"), &data::CarRow::m_Homan});
    list->rowsPerPage = VehicleLists::kInsurancePerPage;
    return list;
}

} // namespace kv::reports
