#include "reports/ui/ReportRangeGroups.h"

#include "common/MessageGateway.h"
#include "controls/CNumericEditEx.h"
#include "reports/core/ReportPages.h"
#include "reports/ui/ReportFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace kv::reports {
namespace {

constexpr int kLastCode = 999999;
constexpr int kLastPage = 999999;

void addRange(QGridLayout* grid, int row, const QString& caption, QWidget* from, QWidget* to)
{
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(from, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("～")), row, 2);
    grid->addWidget(to, row, 3);
}

// Refuses when the field's check refuses; the field has shown the message.
bool fieldsAccept(std::initializer_list<CEditEx*> fields)
{
    for (CEditEx* field : fields)
        if (!field->checkField())
            return false;
    return true;
}

void refuseOn(CEditEx* field, const QString& message)
{
    showMessage(message);
    field->takeRefusedFocus();
}

} // namespace

PageRangeGroup::PageRangeGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("印刷ページ"), parent)
    , m_from(ReportFields::numberField(this, 1, kLastPage, 1))
    , m_to(ReportFields::numberField(this, 1, kLastPage, kLastPage))
{
    auto* grid = new QGridLayout(this);
    addRange(grid, 0, QStringLiteral("ページ"), m_from, m_to);
}

int PageRangeGroup::from() const
{
    return ReportFields::numberOf(m_from);
}

int PageRangeGroup::to() const
{
    return ReportFields::numberOf(m_to);
}

bool PageRangeGroup::check()
{
    if (!fieldsAccept({m_from, m_to}))
        return false;
    if (const auto refusal = ReportPages::check(from(), to())) {
        refuseOn(m_from, refusal->message);
        return false;
    }
    return true;
}

CustomerRangeGroup::CustomerRangeGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("顧客範囲"), parent)
    , m_codeOrder(new QRadioButton(QStringLiteral("顧客ｺｰﾄﾞ順"), this))
    , m_readingOrder(new QRadioButton(QStringLiteral("ﾌﾘｶﾞﾅ順"), this))
    , m_codeFrom(ReportFields::numberField(this, 1, kLastCode, 1))
    , m_codeTo(ReportFields::numberField(this, 1, kLastCode, kLastCode))
    , m_readingFrom(new CEditEx(this))
    , m_readingTo(new CEditEx(this))
{
    const CustomerSelection defaults;
    for (CEditEx* reading : {m_readingFrom, m_readingTo}) {
        reading->setInputMode(CEditEx::InputMode::HalfWidthKana);
        reading->setByteLimit(20);
    }
    m_readingFrom->setText(defaults.readingFrom);
    m_readingTo->setText(defaults.readingTo);
    m_codeOrder->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_codeOrder, 0, 0, 1, 2);
    grid->addWidget(m_readingOrder, 0, 2, 1, 2);
    addRange(grid, 1, QStringLiteral("顧客ｺｰﾄﾞ"), m_codeFrom, m_codeTo);
    addRange(grid, 2, QStringLiteral("ﾌﾘｶﾞﾅ"), m_readingFrom, m_readingTo);

    connect(m_codeOrder, &QRadioButton::toggled, this, [this] {
        applyEnabling();
        emit orderChanged();
    });
    applyEnabling();
}

CustomerSelection::Order CustomerRangeGroup::order() const
{
    return m_readingOrder->isChecked() ? CustomerSelection::Order::Reading
                                       : CustomerSelection::Order::Code;
}

void CustomerRangeGroup::setChoiceEnabled(bool enabled)
{
    m_choiceEnabled = enabled;
    applyEnabling();
}

void CustomerRangeGroup::applyEnabling()
{
    const bool byReading = order() == CustomerSelection::Order::Reading;
    m_codeOrder->setEnabled(m_choiceEnabled);
    m_readingOrder->setEnabled(m_choiceEnabled);
    m_codeFrom->setEnabled(m_choiceEnabled && !byReading);
    m_codeTo->setEnabled(m_choiceEnabled && !byReading);
    m_readingFrom->setEnabled(m_choiceEnabled && byReading);
    m_readingTo->setEnabled(m_choiceEnabled && byReading);
}

std::optional<CustomerSelection> CustomerRangeGroup::checkedSelection()
{
    if (!fieldsAccept({m_codeFrom, m_codeTo, m_readingFrom, m_readingTo}))
        return std::nullopt;
    CustomerSelection selection;
    selection.order = order();
    selection.codeFrom = ReportFields::numberOf(m_codeFrom);
    selection.codeTo = ReportFields::numberOf(m_codeTo);
    selection.readingFrom = m_readingFrom->text();
    selection.readingTo = m_readingTo->text();
    if (const auto refusal = selection.check()) {
        refuseOn(refusal->field == ReportRefusal::Field::CodeFrom ? m_codeFrom : m_readingTo,
                 refusal->message);
        return std::nullopt;
    }
    return selection;
}

} // namespace kv::reports
