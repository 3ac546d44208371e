#include "reports/ui/LedgerPeriodGroup.h"

#include "common/MessageGateway.h"
#include "controls/CNumericEditEx.h"
#include "reports/ui/ReportFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>

namespace kv::reports {

namespace {

// The year, month and day a checked "YY/MM/DD" names, the day as typed
// even where the month lacks it.
std::optional<std::array<int, 3>> typedDate(const QString& text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    std::array<int, 3> values{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[size_t(i)] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    values[0] += values[0] < 51 ? 2000 : 1900;
    return values;
}

bool refuse(QWidget* field, const QString& message)
{
    showMessage(message);
    field->setFocus();
    return false;
}

} // namespace

LedgerPeriodGroup::LedgerPeriodGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("期間"), parent)
    , m_closingMode(new QRadioButton(QStringLiteral("締日"), this))
    , m_periodMode(new QRadioButton(QStringLiteral("期間指定"), this))
    , m_closingDay(ReportFields::numberField(this, 0, 31, 0))
    , m_start(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate().addDays(1 - QDate::currentDate().day()))))
    , m_end(ReportFields::dateField(this, ReportFields::dateText(QDate::currentDate())))
{
    m_closingDay->setText(QStringLiteral("0"));
    m_closingMode->setChecked(true);
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_closingMode);
    modes->addWidget(m_periodMode);
    auto* form = new QFormLayout(this);
    form->addRow(modes);
    form->addRow(QStringLiteral("締日"), m_closingDay);
    form->addRow(QStringLiteral("開始日付"), m_start);
    form->addRow(QStringLiteral("終了日付"), m_end);
    connect(m_closingMode, &QRadioButton::toggled, this, [this] { applyMode(); });
    applyMode();
}

void LedgerPeriodGroup::applyMode()
{
    m_start->setEnabled(m_periodMode->isChecked());
}

std::optional<LedgerPeriodGroup::Checked> LedgerPeriodGroup::checked()
{
    const int closingDay = ReportFields::numberOf(m_closingDay);
    if (m_closingMode->isChecked()) {
        const auto typed = typedDate(m_end->text());
        const auto period = typed ? ClosingPeriod::of((*typed)[0], (*typed)[1], (*typed)[2]) : std::nullopt;
        if (!period) {
            refuse(m_end, ReportFields::kBadDate);
            return std::nullopt;
        }
        return Checked{*period, closingDay};
    }
    for (CEditEx* field : {m_start, m_end}) {
        if (!typedDate(field->text())) {
            refuse(field, ReportFields::kBadDate);
            return std::nullopt;
        }
        if (!ReportFields::dateOf(field->text())) {
            refuse(field, ReportFields::kImpossibleDate);
            return std::nullopt;
        }
    }
    const QDate start = *ReportFields::dateOf(m_start->text());
    const QDate end = *ReportFields::dateOf(m_end->text());
    if (end < start) {
        refuse(m_start, ReportFields::kEndBeforeStart);
        return std::nullopt;
    }
    return Checked{ReportPeriod{start, end}, closingDay};
}

} // namespace kv::reports
