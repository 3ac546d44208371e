#include "reports/ui/CDPrintUriBunGr.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "data/tables/DaoRecordsets.h"
#include "reports/core/SalesGraphShapes.h"
#include "reports/print/SalesGraphPrintout.h"
#include "reports/ui/CGraphFrame.h"
#include "reports/ui/ReportFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace kv::reports {

namespace {

const QString kNoCustomers = QStringLiteral("該当データが存在しません！");

// The scale entries: the bars' axis top.
const char* const kScaleTexts[SalesBarScale::kScales] = {
    "100万円", "500万円", "1,000万円", "5,000万円", "1億円", "5億円", "10億円", "50億円", "100億円",
};

} // namespace

CDPrintUriBunGr::CDPrintUriBunGr(Setup setup, QWidget* parent)
    : QDialog(parent)
    , m_setup(std::move(setup))
{
    setWindowTitle(QStringLiteral("売上分析グラフ"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_categories = new QComboBox(this);
    if (m_setup.document) {
        QString error;
        const auto all = SalesByCategory::loadCategories(m_setup.document->store().mainConnection(), &error);
        if (all)
            m_slotted = SalesByCategory::slotCategories(*all);
        else
            showMessage(error);
    }
    for (const SalesCategory& category : m_slotted)
        m_categories->addItem(category.name);
    m_categories->setCurrentIndex(m_slotted.empty() ? -1 : 0);
    form->addRow(QStringLiteral("入庫区分"), m_categories);

    auto* types = new QGroupBox(QStringLiteral("グラフの種類"), this);
    auto* typeLayout = new QVBoxLayout(types);
    const char* typeTexts[] = {"売上比率円グラフ", "売上高棒グラフ", "区分指定売上高棒グラフ"};
    for (int type = 0; type < 3; ++type) {
        m_types[size_t(type)] = new QRadioButton(QString::fromUtf8(typeTexts[type]), types);
        typeLayout->addWidget(m_types[size_t(type)]);
        connect(m_types[size_t(type)], &QRadioButton::toggled, this, [this, type](bool on) {
            if (on && type != m_type)
                chooseType(type);
        });
    }
    m_types[0]->setChecked(true);
    form->addRow(types);

    m_scales = new QComboBox(this);
    for (const char* text : kScaleTexts)
        m_scales->addItem(QString::fromUtf8(text));
    form->addRow(QStringLiteral("目盛り"), m_scales);
    m_totals = new QCheckBox(QStringLiteral("諸費用・消費税を含む合計で表示する"), this);
    form->addRow(m_totals);

    const QString thisMonth = ReportFields::monthText(m_setup.today);
    m_start = ReportFields::monthField(this, thisMonth);
    m_end = ReportFields::monthField(this, thisMonth);
    auto* months = new QHBoxLayout;
    months->addWidget(m_start);
    months->addWidget(new QLabel(QStringLiteral("～"), this));
    months->addWidget(m_end);
    form->addRow(QStringLiteral("対象年月"), months);
    connect(m_end, &CEditEx::left, this, &CDPrintUriBunGr::endMonthLeft);

    auto* buttons = new QHBoxLayout;
    m_show = new QPushButton(QStringLiteral("グラフ表示"), this);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_show->setAutoDefault(false);
    m_close->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(m_show);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_show, &QPushButton::clicked, this, &CDPrintUriBunGr::showGraph);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    if (m_setup.profile) {
        m_setup.profile->beginGroup(kProfileSection);
        const int scale = m_setup.profile->value(QStringLiteral("Limit"), 0).toInt();
        m_scales->setCurrentIndex(scale >= 0 && scale < SalesBarScale::kScales ? scale : 0);
        m_totals->setChecked(m_setup.profile->value(QStringLiteral("Tot"), 1).toInt() == 1);
        m_setup.profile->endGroup();
    } else {
        m_totals->setChecked(true);
    }
    enableByType();
}

CDPrintUriBunGr::~CDPrintUriBunGr() = default;

void CDPrintUriBunGr::enableByType()
{
    m_start->setEnabled(m_type != SalesGraphPeriod::BarsByMonth);
    m_categories->setEnabled(m_type == SalesGraphPeriod::BarsByMonth);
    m_scales->setEnabled(m_type != SalesGraphPeriod::Pie);
}

void CDPrintUriBunGr::refuse(CEditEx* field, const QString& message, bool clear)
{
    if (clear)
        field->clear();
    showMessage(message);
    field->setFocus();
}

void CDPrintUriBunGr::showTwelveMonthsStart()
{
    const QString start = SalesGraphPeriod::twelveMonthsStart(m_end->text());
    if (!start.isEmpty())
        m_start->setText(start);
}

void CDPrintUriBunGr::chooseType(int type)
{
    if (type == SalesGraphPeriod::BarsByMonth) {
        // The months must be months before the start can follow the end; a
        // refusal keeps the type that was chosen before, its fields open.
        const int before = m_type;
        const auto keepType = [this, before] {
            QSignalBlocker blocker(m_types[size_t(SalesGraphPeriod::BarsByMonth)]);
            m_types[size_t(before)]->setChecked(true);
        };
        if (!ReportFields::firstDayOfMonth(m_start->text())) {
            keepType();
            refuse(m_start, ReportFields::kBadDate, true);
            return;
        }
        if (m_end->text().trimmed().isEmpty()) {
            m_end->clear();
        } else if (!ReportFields::firstDayOfMonth(m_end->text())) {
            keepType();
            refuse(m_end, ReportFields::kBadDate, true);
            return;
        }
        m_type = type;
        showTwelveMonthsStart();
    } else {
        m_type = type;
    }
    enableByType();
}

void CDPrintUriBunGr::endMonthLeft()
{
    if (m_type == SalesGraphPeriod::BarsByMonth)
        showTwelveMonthsStart();
}

SalesGraph CDPrintUriBunGr::graphOf(const SalesGraphPeriod::Period& period, const SalesFigures& figures) const
{
    SalesGraph graph;
    graph.type = m_type;
    graph.figures = figures;
    graph.totals = m_totals->isChecked();
    graph.scaleIndex = m_scales->currentIndex();
    graph.categories = m_slotted;
    graph.categorySlot = std::max(0, m_categories->currentIndex());
    if (graph.categorySlot < int(m_slotted.size()))
        graph.categoryName = m_slotted[size_t(graph.categorySlot)].name;
    graph.firstMonth = period.first;
    graph.lastMonth = period.last;
    return graph;
}

bool CDPrintUriBunGr::showGraph()
{
    using Field = ReportRefusal::Field;
    const auto checked = SalesGraphPeriod::check(SalesGraphPeriod::GraphType(m_type), m_start->text(),
                                                 m_end->text());
    if (m_type == SalesGraphPeriod::BarsByMonth && ReportFields::firstDayOfMonth(m_end->text()))
        showTwelveMonthsStart();
    if (const auto* refused = std::get_if<ReportRefusal>(&checked)) {
        CEditEx* field = refused->field == Field::EndMonth ? m_end : m_start;
        refuse(field, refused->message, refused->message == ReportFields::kBadDate);
        return false;
    }
    const auto& period = std::get<SalesGraphPeriod::Period>(checked);

    if (m_setup.profile) {
        m_setup.profile->beginGroup(kProfileSection);
        m_setup.profile->setValue(QStringLiteral("Limit"), m_scales->currentIndex());
        m_setup.profile->setValue(QStringLiteral("Tot"), m_totals->isChecked() ? 1 : 0);
        m_setup.profile->endGroup();
    }
    if (!m_setup.document || !m_setup.document->PrepareWorkCopy(kWorkCopyKind))
        return false;
    m_copyPrepared = true;

    // The figures are computed here, once: a fault is said once and its
    // window stays empty, whatever repaints it.
    std::optional<SalesGraph> graph;
    data::Connection& connection = m_setup.document->store().mainConnection();
    CDaoKokSet customers(m_setup.document->store().connectionFor(CDaoKokSet::tableDef()));
    if (!customers.OpenWhere(QStringLiteral("UserName1 <> \"新規作成中\""), QStringLiteral("KokCode"))) {
        showMessage(customers.lastError().description);
        return false;
    }
    const bool anyCustomer = !customers.IsEOF();
    customers.Close();
    if (!anyCustomer) {
        showMessage(kNoCustomers);
    } else {
        QString error;
        const auto sources = SalesByCategory::Sources::LedgerAndReport;
        std::optional<SalesFigures> figures;
        if (m_type == SalesGraphPeriod::BarsByMonth) {
            const int slot = m_categories->currentIndex();
            if (slot >= 0 && slot < int(m_slotted.size()))
                figures = SalesByCategory::byMonth(connection, m_slotted[size_t(slot)], period.first, sources, &error);
            else
                figures = SalesFigures{};
        } else {
            figures = SalesByCategory::byCategory(connection, m_slotted, period.first, period.last, sources, &error);
        }
        if (!figures) {
            showMessage(error);
            return false;
        }
        if (!figures->ok())
            showMessage(figures->message());
        else
            graph = graphOf(period, *figures);
    }

    const QString caption = SalesGraphPrintout::caption(graphOf(period, SalesFigures{}));
    auto* frame = new CGraphFrame(std::move(graph), caption, m_setup.printers, this);
    // Below the dialog, where the system would put it otherwise.
    frame->move(x(), frameGeometry().bottom());
    connect(frame, &QObject::destroyed, this, [this] { activateWindow(); });
    frame->show();
    m_lastGraph = frame;
    return true;
}

void CDPrintUriBunGr::done(int result)
{
    if (m_copyPrepared && m_setup.document)
        m_setup.document->EndWorkCopy(kWorkCopyKind);
    m_copyPrepared = false;
    if (m_setup.reapplyOrder)
        m_setup.reapplyOrder();
    QDialog::done(result);
}

} // namespace kv::reports
