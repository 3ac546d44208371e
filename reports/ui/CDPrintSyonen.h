#pragma once

#include "reports/ui/ListReportDialog.h"

class QComboBox;

namespace kv {
class CEditEx;
}

namespace kv::reports {

// 初年度該当車輌一覧: the vehicles first registered within a span of days,
// narrowed by a make and a model pattern.
class CDPrintSyonen final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 9;

    explicit CDPrintSyonen(Setup setup);

    CEditEx* startField() const { return m_start; }
    CEditEx* endField() const { return m_end; }
    QComboBox* makeBox() const { return m_make; }
    CEditEx* modelField() const { return m_model; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;

private:
    CEditEx* m_start;
    CEditEx* m_end;
    QComboBox* m_make;
    CEditEx* m_model;
    QDate m_first;
    QDate m_last;
};

} // namespace kv::reports
