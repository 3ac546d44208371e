#pragma once

#include "reports/ui/ListReportDialog.h"

class QRadioButton;

namespace kv {
class CEditEx;
}

namespace kv::reports {

// 売掛残金一覧: what every customer owes at the end date, in code or reading
// order.
class CDPrintUriZan final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 7;

    explicit CDPrintUriZan(Setup setup);

    QRadioButton* codeOrderButton() const { return m_codeOrder; }
    QRadioButton* readingOrderButton() const { return m_readingOrder; }
    CEditEx* endField() const { return m_end; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;

private:
    QRadioButton* m_codeOrder;
    QRadioButton* m_readingOrder;
    CEditEx* m_end;
    QDate m_lastDay;
};

} // namespace kv::reports
