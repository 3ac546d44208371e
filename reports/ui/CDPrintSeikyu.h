#pragma once

#include "reports/core/ClosingPeriod.h"
#include "reports/core/CustomerSelection.h"
#include "reports/ui/ListReportDialog.h"

class QCheckBox;
class QSettings;

namespace kv::reports {

class CustomerRangeGroup;
class LedgerPeriodGroup;

// 請求一覧: the customers of a range billed for a closing date or a period,
// taken by the two options kept in the profile ("PrintSeikyu").
class CDPrintSeikyu final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 5;

    // profile: where the options are kept; not owned, may be null.
    CDPrintSeikyu(Setup setup, QSettings* profile);

    CustomerRangeGroup* customers() const { return m_customers; }
    LedgerPeriodGroup* period() const { return m_period; }
    QCheckBox* salesOption() const { return m_sales; }
    QCheckBox* amountOption() const { return m_amount; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;

private:
    QSettings* m_profile;
    CustomerRangeGroup* m_customers;
    LedgerPeriodGroup* m_period;
    QCheckBox* m_sales;
    QCheckBox* m_amount;
    CustomerSelection m_selection;
    ReportPeriod m_checkedPeriod;
};

} // namespace kv::reports
