#pragma once

#include "reports/core/ReferrerRanking.h"
#include "reports/ui/ListReportDialog.h"

class QRadioButton;

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

namespace kv::reports {

// 紹介元顧客ランキング: the customers who introduced others, ranked by how
// many they introduced, by what those bought in a period, or by code.
class CDPrintMotoKokRank final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 12;

    explicit CDPrintMotoKokRank(Setup setup);

    QRadioButton* countOrderButton() const { return m_byCount; }
    QRadioButton* salesOrderButton() const { return m_bySales; }
    QRadioButton* codeOrderButton() const { return m_byCode; }
    CNumericEditEx* maxRowsField() const { return m_maxRows; }
    CNumericEditEx* minCountField() const { return m_minCount; }
    CEditEx* startField() const { return m_start; }
    CEditEx* endField() const { return m_end; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;

private:
    QRadioButton* m_byCount;
    QRadioButton* m_bySales;
    QRadioButton* m_byCode;
    CNumericEditEx* m_maxRows;
    CNumericEditEx* m_minCount;
    CEditEx* m_start;
    CEditEx* m_end;
    ReferrerRanking::Request m_request;
};

} // namespace kv::reports
