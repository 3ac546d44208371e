#include "slips/ui/StatutoryCostFill.h"

#include "controls/CEditEx.h"
#include "slips/ui/CFTot.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace kv::slips {

namespace {
QString dateText(QDate date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString tip(const data::CostFigure& figure)
{
    if (!figure.decided)
        return figure.reason;
    QString text = QStringLiteral("%1からの表").arg(dateText(figure.tableFrom));
    if (figure.stale)
        text += QStringLiteral("（1年以上前の表です）");
    return text;
}
} // namespace

StatutoryCostFill::StatutoryCostFill(CFTot& totals, QuoteSource source, int defaultMonths)
    : QObject(&totals)
    , m_totals(totals)
    , m_source(std::move(source))
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_months = new QComboBox;
    m_months->addItem(QStringLiteral("自賠責 24ヶ月"), 24);
    m_months->addItem(QStringLiteral("自賠責 25ヶ月"), 25);
    m_months->setCurrentIndex(defaultMonths == 24 ? 0 : 1);
    m_months->setFocusPolicy(Qt::ClickFocus);
    m_tables = new QLabel;
    m_tables->setWordWrap(true);
    row->addWidget(m_months);
    row->addWidget(m_tables, 1);
    totals.addCostBar(bar);
    connect(m_months, &QComboBox::activated, this, [this] { fill(); });

    auto* refill = new QAction(QStringLiteral("諸費用再計算"), &totals);
    refill->setShortcut(Qt::Key_F5);
    refill->setShortcutContext(Qt::WindowShortcut);
    totals.addAction(refill);
    connect(refill, &QAction::triggered, this, [this] { fill(); });

    for (TotalsField which : {TotalsField::Jibai, TotalsField::JyuZei, TotalsField::Insi})
        m_filledText[which] = m_totals.field(which)->text();
}

int StatutoryCostFill::months() const
{
    return m_months->currentData().toInt();
}

QString StatutoryCostFill::staleWarning()
{
    return QStringLiteral("※1年以上前の表です。料率をご確認下さい");
}

bool StatutoryCostFill::typed(TotalsField which) const
{
    return m_filled && m_totals.field(which)->text() != m_filledText.at(which);
}

bool StatutoryCostFill::fill()
{
    // The fields as they stand now, typed or not, are read first.
    if (!m_totals.recalcTotals(SlipTotals::Cause::Costs))
        return false;
    const std::optional<data::CostQuote> quote = m_source(months());
    if (!quote)
        return false;
    const data::SyaheadRow& now = m_totals.values();
    StatutoryCosts costs{now.m_Jibai, now.m_JyuZei, now.m_Insi, now.m_Daiko};
    const std::tuple<TotalsField, const data::CostFigure*, int*, const char*> parts[] = {
        {TotalsField::Jibai, &quote->insurance, &costs.jibai, "自賠責"},
        {TotalsField::JyuZei, &quote->weightTax, &costs.jyuZei, "重量税"},
        {TotalsField::Insi, &quote->inspectionFee, &costs.insi, "印紙代"},
    };
    QStringList used;
    bool stale = false;
    for (const auto& [which, figure, amount, name] : parts) {
        if (figure->decided && !typed(which))
            *amount = figure->amount;
        m_totals.field(which)->setToolTip(tip(*figure));
        if (figure->decided) {
            used << QStringLiteral("%1 %2～").arg(QString::fromUtf8(name), dateText(figure->tableFrom));
            stale = stale || figure->stale;
        }
    }
    const std::map<TotalsField, bool> keep{{TotalsField::Jibai, typed(TotalsField::Jibai)},
                                           {TotalsField::JyuZei, typed(TotalsField::JyuZei)},
                                           {TotalsField::Insi, typed(TotalsField::Insi)}};
    const bool ok = m_totals.setStatutoryCosts(costs);
    for (const auto& [which, wasTyped] : keep) {
        if (!wasTyped)
            m_filledText[which] = m_totals.field(which)->text();
    }
    m_filled = true;
    QString text = used.isEmpty() ? QStringLiteral("諸費用の表: 該当なし")
                                  : QStringLiteral("諸費用の表: ") + used.join(u' ');
    if (stale)
        text += u'\n' + staleWarning();
    m_tables->setText(text);
    m_tables->setStyleSheet(stale ? QStringLiteral("color: #c00000;") : QString());
    return ok;
}

} // namespace kv::slips
