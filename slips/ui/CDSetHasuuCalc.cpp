#include "slips/ui/CDSetHasuuCalc.h"

#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/UnsavedChangeGuard.h"
#include "lan/core/ChangeAnnouncer.h"
#include "slips/core/ExactRounding.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::slips {

namespace {

const char* const kTypes[] = {"切り捨て", "切り上げ", "四捨五入"};
const char* const kUnits[] = {"１円未満", "１０円未満", "１００円未満"};

struct RuleGroup {
    CDSetHasuuCalc::Rule rule;
    const char* title;
};

const RuleGroup kGroups[] = {
    {CDSetHasuuCalc::Rule::Tax, "消費税（課税対象×税率）"},
    {CDSetHasuuCalc::Rule::Parts, "部品金額（数量×単価）"},
    {CDSetHasuuCalc::Rule::Discount, "値引額（明細合計×値引率）"},
    {CDSetHasuuCalc::Rule::Billed, "御請求額"},
    {CDSetHasuuCalc::Rule::Labour, "工賃金額（指数×ﾚﾊﾞﾚｰﾄ）"},
};

QString rateMessage()
{
    return QStringLiteral("0.00から100.00迄を入力して下さい！");
}

// A column of three radio buttons in a box, numbered 0 to 2.
QGroupBox* radioColumn(const QString& title, const char* const (&texts)[3], QButtonGroup* group)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(texts[i]));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

} // namespace

QString CDSetHasuuCalc::updateKind()
{
    return QStringLiteral("端数処理");
}

CDSetHasuuCalc::CDSetHasuuCalc(data::SettingsStore& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(updateKind());
    buildLayout();
    // Another computer may have changed the file since it was read.
    m_settings.LoadSettingsFile(data::SettingsFileId::Rounding);
    showSettings();
}

CDSetHasuuCalc::~CDSetHasuuCalc() = default;

void CDSetHasuuCalc::buildLayout()
{
    m_rate = new CEditEx;
    m_rate->setInputMode(CEditEx::InputMode::Direct);
    m_rate->setMaxLength(6);
    m_rate->setAlignment(Qt::AlignRight);
    m_rate->setExitCheck([this](const QString& text) {
        const std::optional<int> rate = percentFromText(text);
        if (!rate)
            return FieldVerdict::refuse(rateMessage(), percentText(m_rateHundredths));
        return FieldVerdict::accept(percentText(*rate));
    });

    auto* main = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    main->addLayout(grid);
    int column = 0;
    for (const RuleGroup& g : kGroups) {
        auto* box = new QGroupBox(QString::fromUtf8(g.title));
        auto* layout = new QVBoxLayout(box);
        if (g.rule == Rule::Tax) {
            auto* rateLine = new QHBoxLayout;
            rateLine->addWidget(new QLabel(QStringLiteral("消費税率")));
            rateLine->addWidget(m_rate);
            rateLine->addWidget(new QLabel(QStringLiteral("％")));
            layout->addLayout(rateLine);
        }
        RuleButtons& buttons = m_buttons[int(g.rule)];
        buttons.types = new QButtonGroup(this);
        buttons.units = new QButtonGroup(this);
        auto* pair = new QHBoxLayout;
        pair->addWidget(radioColumn(QStringLiteral("端数処理"), kTypes, buttons.types));
        pair->addWidget(radioColumn(QStringLiteral("処理対象"), kUnits, buttons.units));
        layout->addLayout(pair);
        grid->addWidget(box, column / 3, column % 3);
        ++column;
    }

    m_record = new QPushButton(QStringLiteral("記録(&Z)"));
    m_cancel = new QPushButton(QStringLiteral("中止(Esc)"));
    m_record->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_record);
    buttons->addWidget(m_cancel);
    main->addLayout(buttons);
    connect(m_record, &QPushButton::clicked, this, [this] { onRecord(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

data::RoundingRule* CDSetHasuuCalc::ruleOf(Rule rule) const
{
    data::RoundingSettings& r = m_settings.rounding();
    switch (rule) {
    case Rule::Tax: return &r.tax;
    case Rule::Parts: return &r.parts;
    case Rule::Discount: return &r.discount;
    case Rule::Billed: return &r.billed;
    case Rule::Labour: return &r.labour;
    }
    return &r.tax;
}

QRadioButton* CDSetHasuuCalc::typeButton(Rule rule, int type) const
{
    return static_cast<QRadioButton*>(m_buttons[int(rule)].types->button(type));
}

QRadioButton* CDSetHasuuCalc::unitButton(Rule rule, int unit) const
{
    return static_cast<QRadioButton*>(m_buttons[int(rule)].units->button(unit));
}

void CDSetHasuuCalc::showSettings()
{
    m_rateHundredths = int(rateInHundredthsOfPercent(m_settings.rounding().taxRate));
    m_rate->setText(percentText(m_rateHundredths));
    for (const RuleGroup& g : kGroups) {
        const data::RoundingRule* rule = ruleOf(g.rule);
        if (QAbstractButton* type = m_buttons[int(g.rule)].types->button(rule->type))
            type->setChecked(true);
        if (QAbstractButton* unit = m_buttons[int(g.rule)].units->button(rule->unit))
            unit->setChecked(true);
    }
}

void CDSetHasuuCalc::onRecord()
{
    if (!m_rate->checkField())
        return;
    const std::optional<int> rate = percentFromText(m_rate->text());
    if (!rate)
        return;
    data::UnsavedChangeGuard guard(m_settings.rounding());
    m_settings.rounding().taxRate = *rate / 10000.0;
    for (const RuleGroup& g : kGroups) {
        data::RoundingRule* rule = ruleOf(g.rule);
        rule->type = std::max(0, m_buttons[int(g.rule)].types->checkedId());
        rule->unit = std::max(0, m_buttons[int(g.rule)].units->checkedId());
    }
    if (!guard.keepIf(m_settings.SaveSettingsFile(data::SettingsFileId::Rounding)))
        return;
    lan::changeAnnouncer().announceUpdate(updateKind());
    accept();
}

} // namespace kv::slips
