#include "slips/ui/CFTot.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldKeyRules.h"
#include "controls/FieldChecks.h"
#include "slips/core/ExactRounding.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

namespace kv::slips {

namespace {

using F = TotalsField;
using Cause = SlipTotals::Cause;

constexpr int kWideLimit = 99'999'999;
constexpr int kNarrowLimit = 9'999'999;
constexpr int kNameBytes = 16;

QString percentMessage()
{
    return QStringLiteral("0から100迄を入力して下さい！");
}

IntegerField amountField(int limit)
{
    IntegerField field;
    field.minimum = -limit;
    field.maximum = limit;
    field.message = limit == kWideLimit
        ? QStringLiteral("-99,999,999から99,999,999迄の整数を入力してくだい！")
        : QStringLiteral("-9,999,999から9,999,999迄の整数を入力してくだい！");
    field.resetText = QStringLiteral("0");
    field.style = IntegerStyle::Grouped;
    return field;
}

QString grouped(int value)
{
    return writeIntegerField(amountField(kWideLimit), value);
}

// A field the user types: its column, its range (0 for a percentage) and
// what leaving it recomputes.
struct Editable {
    F which;
    int data::SyaheadRow::*column;
    int limit;
    Cause cause;
    const char* caption;

    bool isPercent() const { return limit == 0; }
    // The value of the text, nullopt when it is no value of the field.
    std::optional<int> read(const QString& text) const
    {
        if (isPercent())
            return percentFromText(text);
        int value = 0;
        const IntegerField field = amountField(limit);
        if (!readIntegerField(field, text, &value) || value < field.minimum || value > field.maximum)
            return std::nullopt;
        return value;
    }
    QString text(int value) const { return isPercent() ? percentText(value) : grouped(value); }
};

// In the order the fields are read.
const Editable kEditables[] = {
    {F::PartsDiscount, &data::SyaheadRow::m_BuhiNebi, kWideLimit, Cause::PartsDiscount, "部品値引"},
    {F::PartsDiscountPercent, &data::SyaheadRow::m_BuhiNebiPer, 0, Cause::PartsDiscount, "部品値引（ ％）"},
    {F::LabourDiscount, &data::SyaheadRow::m_KouNebi, kWideLimit, Cause::LabourDiscount, "工賃値引"},
    {F::LabourDiscountPercent, &data::SyaheadRow::m_KouNebiPer, 0, Cause::LabourDiscount, "工賃値引（ ％）"},
    {F::PartsLabourTax, &data::SyaheadRow::m_BuhiKouZei, kWideLimit, Cause::Tax, "部品工賃消費税"},
    {F::Jibai, &data::SyaheadRow::m_Jibai, kNarrowLimit, Cause::Costs, "自賠責料"},
    {F::JyuZei, &data::SyaheadRow::m_JyuZei, kNarrowLimit, Cause::Costs, "重 量 税"},
    {F::Insi, &data::SyaheadRow::m_Insi, kNarrowLimit, Cause::Costs, "印 紙 代"},
    {F::Daiko, &data::SyaheadRow::m_Daiko, kNarrowLimit, Cause::Costs, "代 行 料"},
    {F::Syo5, &data::SyaheadRow::m_Syo5, kNarrowLimit, Cause::Costs, ""},
    {F::Syo6, &data::SyaheadRow::m_Syo6, kNarrowLimit, Cause::Costs, ""},
    {F::CostsTax, &data::SyaheadRow::m_SyoZei, kNarrowLimit, Cause::Tax, "諸費用消費税"},
    {F::Received, &data::SyaheadRow::m_Azu, kWideLimit, Cause::Received, "預  り  金"},
};

const Editable* editableOf(TotalsField which)
{
    for (const Editable& e : kEditables) {
        if (e.which == which)
            return &e;
    }
    return nullptr;
}

} // namespace

StatutoryCosts StatutoryCosts::of(const data::CarRow& vehicle)
{
    return {vehicle.m_Jibai, vehicle.m_JyuZei, vehicle.m_Insi, vehicle.m_Daiko};
}

CFTot::CFTot(QWidget* parent)
    : QWidget(parent)
    , m_totals(data::RoundingSettings{})
{
    buildLayout();
    attachBehaviour();
}

CFTot::~CFTot() = default;

void CFTot::buildLayout()
{
    for (const Editable& e : kEditables) {
        CEditEx* edit = e.isPercent() ? new CEditEx : new CNumericEditEx;
        edit->setInputMode(CEditEx::InputMode::Direct);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(e.isPercent() ? 6 : 11);
        m_fields[e.which] = edit;
    }
    for (Shown s : {Shown::PartsLines, Shown::PartsNet, Shown::LabourLines, Shown::LabourNet,
                    Shown::CostsTotal, Shown::Total, Shown::Billed}) {
        auto* edit = new CEditEx;
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        m_shown[s] = edit;
    }
    m_syoName5 = new CEditEx;
    m_syoName6 = new CEditEx;
    for (CEditEx* name : {m_syoName5, m_syoName6}) {
        name->setInputMode(CEditEx::InputMode::Japanese);
        name->setByteLimit(kNameBytes);
    }
    m_daikoTax = new QCheckBox;
    m_syo5Tax = new QCheckBox(QStringLiteral("税"));
    m_syo6Tax = new QCheckBox(QStringLiteral("税"));

    auto* grid = m_grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    auto label = [](const char* text) { return new QLabel(QString::fromUtf8(text)); };
    auto captioned = [&](F which, int row, int column) {
        grid->addWidget(label(editableOf(which)->caption), row, column);
        grid->addWidget(m_fields[which], row, column + 1);
    };
    auto equals = [&](Shown s, int row, int column) {
        grid->addWidget(label("＝"), row, column);
        grid->addWidget(m_shown[s], row, column + 1);
    };

    // Parts and labour.
    grid->addWidget(label("部品明細合計"), 0, 0);
    grid->addWidget(m_shown[Shown::PartsLines], 0, 1);
    captioned(F::PartsDiscount, 1, 0);
    captioned(F::PartsDiscountPercent, 2, 0);
    equals(Shown::PartsNet, 3, 0);
    grid->addWidget(label("工賃明細合計"), 0, 2);
    grid->addWidget(m_shown[Shown::LabourLines], 0, 3);
    captioned(F::LabourDiscount, 1, 2);
    captioned(F::LabourDiscountPercent, 2, 2);
    equals(Shown::LabourNet, 3, 2);
    captioned(F::PartsLabourTax, 4, 0);

    // The costs.
    captioned(F::Jibai, 0, 4);
    captioned(F::JyuZei, 1, 4);
    captioned(F::Insi, 2, 4);
    captioned(F::Daiko, 3, 4);
    grid->addWidget(m_daikoTax, 3, 6);
    grid->addWidget(m_syoName5, 0, 7);
    grid->addWidget(m_fields[F::Syo5], 0, 8);
    grid->addWidget(m_syo5Tax, 1, 7);
    grid->addWidget(m_syoName6, 2, 7);
    grid->addWidget(m_fields[F::Syo6], 2, 8);
    grid->addWidget(m_syo6Tax, 3, 7);
    equals(Shown::CostsTotal, 4, 4);
    captioned(F::CostsTax, 4, 7);

    // The result.
    grid->addWidget(label("合      計"), 0, 9);
    grid->addWidget(m_shown[Shown::Total], 0, 10);
    captioned(F::Received, 1, 9);
    grid->addWidget(label("御請求額"), 2, 9);
    grid->addWidget(m_shown[Shown::Billed], 2, 10);
    grid->setRowStretch(5, 1);

    const QList<QWidget*> order = {
        m_fields[F::PartsDiscount], m_fields[F::PartsDiscountPercent], m_fields[F::LabourDiscount],
        m_fields[F::LabourDiscountPercent], m_fields[F::PartsLabourTax], m_fields[F::Jibai],
        m_fields[F::JyuZei], m_fields[F::Insi], m_daikoTax, m_fields[F::Daiko], m_syo5Tax,
        m_syoName5, m_fields[F::Syo5], m_syo6Tax, m_syoName6, m_fields[F::Syo6],
        m_fields[F::CostsTax], m_fields[F::Received]};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CFTot::attachBehaviour()
{
    for (const Editable& e : kEditables) {
        CEditEx* edit = m_fields[e.which];
        const Editable* field = &e;
        // Leaving reformats; a value the field cannot hold is refused.
        edit->setExitCheck([field](const QString& text) {
            const std::optional<int> value = field->read(text);
            if (value)
                return FieldVerdict::accept(field->text(*value));
            if (field->isPercent())
                return FieldVerdict::refuse(percentMessage(), percentText(0));
            return FieldVerdict::refuse(amountField(field->limit).message, QStringLiteral("0"));
        });
        connect(edit, &CEditEx::left, this, [this, which = e.which] { onFieldLeft(which); });
    }
    connect(m_syoName5, &CEditEx::left, this, [this] { onNameLeft(m_syoName5, &m_rememberedName5); });
    connect(m_syoName6, &CEditEx::left, this, [this] { onNameLeft(m_syoName6, &m_rememberedName6); });
    for (QCheckBox* box : {m_daikoTax, m_syo5Tax, m_syo6Tax})
        connect(box, &QCheckBox::clicked, this, [this] { onTaxBoxClicked(); });
}

CEditEx* CFTot::field(TotalsField which) const
{
    const auto it = m_fields.find(which);
    return it == m_fields.end() ? nullptr : it->second;
}

CEditEx* CFTot::shownField(Shown which) const
{
    return m_shown.at(which);
}

void CFTot::focusField(TotalsField which)
{
    if (CEditEx* edit = field(which)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void CFTot::refocus(TotalsField which)
{
    if (CEditEx* edit = field(which))
        edit->takeRefusedFocus();
}

void CFTot::addCostBar(QWidget* bar)
{
    m_grid->addWidget(bar, 5, 4, 1, 7);
    m_grid->setRowStretch(5, 0);
    m_grid->setRowStretch(6, 1);
}

void CFTot::focusFirstField()
{
    focusField(F::PartsDiscount);
}

void CFTot::fill(const TotalsSetup& setup)
{
    m_totals = SlipTotals(setup.rounding, setup.invoiceIssuer ? SlipTotals::TaxRounding::OncePerRate
                                                               : SlipTotals::TaxRounding::PerPart);
    if (setup.mode != SlipMode::New && setup.stored) {
        m_slip = *setup.stored;
        m_totals.remember(m_slip);
        showTotals();
        if (setup.mode == SlipMode::Transfer) {
            // A new slip: taxed at the rate of today, not of the old slip.
            m_totals.requireFreshTax();
            if (recalcTotals(Cause::Everything))
                showTotals();
        }
    } else {
        m_slip = data::SyaheadRow{};
        m_slip.m_Syo5ZeiFlag = m_slip.m_Syo6ZeiFlag = 1;
        m_slip.m_DaikoZeiFlag = setup.agencyFeeTaxable ? 1 : 0;
        if (setup.costs) {
            m_slip.m_Jibai = setup.costs->jibai;
            m_slip.m_JyuZei = setup.costs->jyuZei;
            m_slip.m_Insi = setup.costs->insi;
            m_slip.m_Daiko = setup.costs->daiko;
        }
        m_totals.remember(m_slip);
        showTotals();
        if (recalcTotals(Cause::Costs))
            showTotals();
    }
    rememberAll();
}

void CFTot::rememberAll()
{
    for (const Editable& e : kEditables)
        m_remembered[e.which] = m_slip.*e.column;
    m_rememberedName5 = m_slip.m_SyoName5;
    m_rememberedName6 = m_slip.m_SyoName6;
    m_totals.remember(m_slip);
}

bool CFTot::readFields()
{
    m_slip.m_DaikoZeiFlag = m_daikoTax->isChecked() ? 1 : 0;
    m_slip.m_Syo5ZeiFlag = m_syo5Tax->isChecked() ? 1 : 0;
    m_slip.m_Syo6ZeiFlag = m_syo6Tax->isChecked() ? 1 : 0;
    m_slip.m_SyoName5 = m_syoName5->text();
    m_slip.m_SyoName6 = m_syoName6->text();
    for (const Editable& e : kEditables) {
        CEditEx* edit = m_fields[e.which];
        const std::optional<int> value = e.read(edit->text());
        if (!value) {
            edit->setText(QStringLiteral("0"));
            showMessage(e.isPercent() ? percentMessage() : amountField(e.limit).message);
            refocus(e.which);
            return false;
        }
        m_slip.*e.column = *value;
    }
    return true;
}

bool CFTot::recalcTotals(SlipTotals::Cause cause)
{
    if (!readFields())
        return false;
    const SlipTotals::Outcome outcome = m_totals.recalc(cause, m_slip);
    if (outcome.ok)
        return true;
    // What was computed before the refusal is shown: the next check reads
    // the fields back, and an old tax read there would let the same slip
    // pass.
    showTotals();
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    refocus(outcome.focus);
    return false;
}

void CFTot::showTotals()
{
    for (const Editable& e : kEditables)
        m_fields[e.which]->setText(e.text(m_slip.*e.column));
    const std::pair<Shown, int> shown[] = {
        {Shown::PartsLines, m_slip.m_BuhiMeiTot}, {Shown::PartsNet, m_slip.m_BuhiTot},
        {Shown::LabourLines, m_slip.m_KouMeiTot}, {Shown::LabourNet, m_slip.m_KouTot},
        {Shown::CostsTotal, m_slip.m_SyoTot},     {Shown::Total, m_slip.m_Tot},
        {Shown::Billed, m_slip.m_Seikyu}};
    for (const auto& [which, value] : shown)
        m_shown[which]->setText(grouped(value));
    m_daikoTax->setChecked(m_slip.m_DaikoZeiFlag != 0);
    m_syo5Tax->setChecked(m_slip.m_Syo5ZeiFlag != 0);
    m_syo6Tax->setChecked(m_slip.m_Syo6ZeiFlag != 0);
    m_syoName5->setText(m_slip.m_SyoName5);
    m_syoName6->setText(m_slip.m_SyoName6);
}

void CFTot::onFieldLeft(TotalsField which)
{
    const Editable* e = editableOf(which);
    const std::optional<int> value = e->read(m_fields[which]->text());
    if (!value || *value == m_remembered[which])
        return;
    if (!recalcTotals(e->cause)) {
        refocus(which);
        return;
    }
    m_remembered[which] = m_slip.*e->column;
    showTotals();
}

void CFTot::onNameLeft(CEditEx* edit, QString* remembered)
{
    if (edit->text() == *remembered)
        return;
    if (!recalcTotals(Cause::Everything)) {
        edit->takeRefusedFocus();
        return;
    }
    *remembered = edit->text();
    showTotals();
}

void CFTot::onTaxBoxClicked()
{
    if (recalcTotals(Cause::Costs))
        showTotals();
}

bool CFTot::setLineTotals(int parts, int labour)
{
    m_slip.m_BuhiMeiTot = parts;
    m_slip.m_KouMeiTot = labour;
    if (!recalcTotals(Cause::Everything))
        return false;
    showTotals();
    return true;
}

bool CFTot::setStatutoryCosts(const StatutoryCosts& costs)
{
    m_slip.m_Jibai = costs.jibai;
    m_slip.m_JyuZei = costs.jyuZei;
    m_slip.m_Insi = costs.insi;
    m_slip.m_Daiko = costs.daiko;
    showTotals();
    if (!recalcTotals(Cause::Costs))
        return false;
    showTotals();
    return true;
}

bool CFTot::clearStatutoryCosts()
{
    m_slip.m_SyoZei = 0;
    return setStatutoryCosts(StatutoryCosts{});
}

void CFTot::totals(data::SyaheadRow& header) const
{
    const data::SyaheadRow& s = m_slip;
    header.m_BuhiMeiTot = s.m_BuhiMeiTot;
    header.m_BuhiNebi = s.m_BuhiNebi;
    header.m_BuhiNebiPer = s.m_BuhiNebiPer;
    header.m_BuhiTot = s.m_BuhiTot;
    header.m_KouMeiTot = s.m_KouMeiTot;
    header.m_KouNebi = s.m_KouNebi;
    header.m_KouNebiPer = s.m_KouNebiPer;
    header.m_KouTot = s.m_KouTot;
    header.m_BuhiKouTot = s.m_BuhiKouTot;
    header.m_BuhiKouZei = s.m_BuhiKouZei;
    header.m_Jibai = s.m_Jibai;
    header.m_JyuZei = s.m_JyuZei;
    header.m_Insi = s.m_Insi;
    header.m_DaikoZeiFlag = s.m_DaikoZeiFlag;
    header.m_Daiko = s.m_Daiko;
    header.m_SyoName5 = s.m_SyoName5;
    header.m_Syo5ZeiFlag = s.m_Syo5ZeiFlag;
    header.m_Syo5 = s.m_Syo5;
    header.m_SyoName6 = s.m_SyoName6;
    header.m_Syo6ZeiFlag = s.m_Syo6ZeiFlag;
    header.m_Syo6 = s.m_Syo6;
    header.m_SyoTot = s.m_SyoTot;
    header.m_SyoZei = s.m_SyoZei;
    header.m_Tot = s.m_Tot;
    header.m_Azu = s.m_Azu;
    header.m_Seikyu = s.m_Seikyu;
}

bool CFTot::focusNextPrevChild(bool next)
{
    return FieldKeyRules::moveFocusWithin(this, next);
}

} // namespace kv::slips
