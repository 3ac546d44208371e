#include "reports/ui/CDPrintMotoKokRank.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "reports/ui/ReportFields.h"
#include "reports/ui/ReportRangeGroups.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>


namespace kv::reports {

CDPrintMotoKokRank::CDPrintMotoKokRank(Setup setup)
    : ListReportDialog(std::move(setup), kKind, QStringLiteral("紹介元顧客ランキング"))
    , m_byCount(new QRadioButton(QStringLiteral("紹介件数順"), this))
    , m_bySales(new QRadioButton(QStringLiteral("売上金額順"), this))
    , m_byCode(new QRadioButton(QStringLiteral("顧客ｺｰﾄﾞ順"), this))
    , m_maxRows(ReportFields::numberField(this, 1, 9999, 9999))
    , m_minCount(ReportFields::numberField(this, 1, 999999, 1))
    , m_start(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate().addDays(1 - QDate::currentDate().day()))))
    , m_end(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate())))
{
    m_byCount->setChecked(true);
    auto* orders = new QHBoxLayout;
    orders->addWidget(m_byCount);
    orders->addWidget(m_bySales);
    orders->addWidget(m_byCode);
    auto* form = new QFormLayout;
    form->addRow(orders);
    form->addRow(QStringLiteral("出力件数"), m_maxRows);
    form->addRow(QStringLiteral("最低紹介件数"), m_minCount);
    form->addRow(QStringLiteral("開始日付"), m_start);
    form->addRow(QStringLiteral("終了日付"), m_end);
    fieldsLayout()->addLayout(form);
}

bool CDPrintMotoKokRank::checkFields()
{
    const auto period = ReportFields::checkedSpan(m_start, m_end);
    if (!period)
        return false;
    if (!pageRange()->check())
        return false;
    m_request.order = m_bySales->isChecked() ? ReferrerRanking::Order::BySales
        : m_byCode->isChecked()              ? ReferrerRanking::Order::ByCode
                                             : ReferrerRanking::Order::ByCount;
    m_request.maxRows = ReportFields::numberOf(m_maxRows);
    m_request.minCount = ReportFields::numberOf(m_minCount);
    m_request.period = *period;
    return true;
}

std::unique_ptr<ListReport> CDPrintMotoKokRank::makeList()
{
    const ReferrerRanking ranking = ReferrerRanking::build(document()->store(), m_request);
    if (!ranking.ok) {
        showMessage(ranking.message);
        return nullptr;
    }
    std::vector<ReportRow> rows;
    int place = 0;
    for (const ReferrerRanking::Row& row : ranking.rows)
        rows.push_back({QString::number(++place), QString::number(row.referrer.code), row.referrer.name,
                        QString::number(row.introduced), row.sales});
    const QString heading = QStringLiteral("期間 %1 ～ %2")
                                .arg(ReportFields::dateText(m_request.period.first),
                                     ReportFields::dateText(m_request.period.last));
    auto list = std::make_unique<ListReport>();
    list->table = std::make_unique<FixedReportTable>(
        title(), QStringList{heading},
        std::vector<ReportColumn>{ReportColumn::text(QStringLiteral("順位"), 120, ReportColumn::Align::Right),
                                  ReportColumn::text(QStringLiteral("顧客ｺｰﾄﾞ"), 160, ReportColumn::Align::Right),
                                  ReportColumn::text(QStringLiteral("顧客名"), 700),
                                  ReportColumn::text(QStringLiteral("紹介件数"), 160, ReportColumn::Align::Right),
                                  ReportColumn::amount(QStringLiteral("売上金額"), 260)},
        std::move(rows));
    list->rowsPerPage = ReferrerRanking::kRowsPerPage;
    return list;
}

} // namespace kv::reports
