#pragma once

#include "reports/core/ClosingPeriod.h"

#include <QGroupBox>

#include <optional>

class QRadioButton;

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

namespace kv::reports {

// The days of a ledger report: in closing-day mode the end date names the
// closing date and the period follows from its day; in period mode the
// start and end dates are the period. The closing day (0 to 31, 0 every
// customer) picks the customers who close on it.
class LedgerPeriodGroup final : public QGroupBox {
    Q_OBJECT
public:
    explicit LedgerPeriodGroup(QWidget* parent = nullptr);

    QRadioButton* closingModeButton() const { return m_closingMode; }
    QRadioButton* periodModeButton() const { return m_periodMode; }
    CNumericEditEx* closingDayField() const { return m_closingDay; }
    CEditEx* startField() const { return m_start; }
    CEditEx* endField() const { return m_end; }

    struct Checked {
        ReportPeriod period;
        int closingDay = 0;
    };
    // The dates' checks in the dialog's order; none after the message, the
    // focus on the field to correct.
    std::optional<Checked> checked();

private:
    void applyMode();

    QRadioButton* m_closingMode;
    QRadioButton* m_periodMode;
    CNumericEditEx* m_closingDay;
    CEditEx* m_start;
    CEditEx* m_end;
};

} // namespace kv::reports
