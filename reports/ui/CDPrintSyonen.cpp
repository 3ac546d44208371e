#include "reports/ui/CDPrintSyonen.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/core/CustomerFile.h"
#include "reports/core/VehicleLists.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QComboBox>
#include <QFormLayout>

namespace kv::reports {

CDPrintSyonen::CDPrintSyonen(Setup setup)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("初年度該当車輌一覧"))
    , m_start(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate().addDays(1 - QDate::currentDate().day()))))
    , m_end(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate())))
    , m_make(new QComboBox(this))
    , m_model(new CEditEx(this))
{
    // Entry i of the list is make i; entry 0, empty, takes every make.
    const QStringList makes = document()->settings().makes().entries();
    m_make->addItems(makes.isEmpty() ? QStringList{QString()} : makes);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("開始初度登録"), m_start);
    form->addRow(QStringLiteral("終了初度登録"), m_end);
    form->addRow(QStringLiteral("車名"), m_make);
    form->addRow(QStringLiteral("車種"), m_model);
    fieldsLayout()->addLayout(form);
}

bool CDPrintSyonen::checkFields()
{
    const auto period = ReportFields::checkedSpan(m_start, m_end);
    if (!period || !pageRange()->check())
        return false;
    m_first = period->first;
    m_last = period->last;
    return true;
}

std::unique_ptr<ListReport> CDPrintSyonen::makeList()
{
    const int make = std::max(0, m_make->currentIndex());
    const QString model = m_model->text().trimmed();
    QStringList headings{QStringLiteral("初度登録 %1 ～ %2").arg(ReportFields::dateText(m_first),
                                                                ReportFields::dateText(m_last))};
    if (make > 0)
        headings << QStringLiteral("車名 ") + m_make->currentText();
    if (!model.isEmpty())
        headings << QStringLiteral("車種 ") + model;
    auto table = std::make_unique<VehicleListTable>(
        document()->store(), title(), VehicleLists::firstRegistrationFilter(m_first, m_last, make, model),
        VehicleLists::firstRegistrationSort(), headings, document()->settings().makes().entries());
    if (!table->isOpen()) {
        showMessage(table->lastError().description);
        return nullptr;
    }
    auto list = std::make_unique<ListReport>();
    list->table = std::move(table);
    list->rowsPerPage = VehicleLists::kFirstRegistrationPerPage;
    return list;
}

} // namespace kv::reports
