#pragma once

#include "reports/ui/ListReportDialog.h"

namespace kv {
class CEditEx;
}

namespace kv::reports {

// 任意保険満期予定車輌一覧: the vehicles whose voluntary insurance expires
// from the start month through the end month.
class CDPrintHoman final : public ListReportDialog {
    Q_OBJECT
public:
    static constexpr int kKind = 3;
    static inline const QString kNothingFound = QStringLiteral("該当するデータが存在しません！");

    explicit CDPrintHoman(Setup setup);

    CEditEx* startField() const { return m_start; }
    CEditEx* endField() const { return m_end; }

protected:
    bool checkFields() override;
    std::unique_ptr<ListReport> makeList() override;
    QString emptyMessage() const override { return kNothingFound; }

private:
    CEditEx* m_start;
    CEditEx* m_end;
    QDate m_first;
    QDate m_last;
};

} // namespace kv::reports
