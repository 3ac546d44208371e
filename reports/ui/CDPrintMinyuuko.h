#pragma once

#include "reports/ui/ListReportDialog.h"

namespace kv {
class CEditEx;
}

namespace kv::reports {

// 車検未入庫車輌一覧: the vehicles whose inspection expired before the base
// month and that have not come in since.
class CDPrintMinyuuko final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 2;

    explicit CDPrintMinyuuko(Setup setup);

    CEditEx* monthField() const { return m_month; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;

private:
    CEditEx* m_month;
    QDate m_firstDay;
};

} // namespace kv::reports
