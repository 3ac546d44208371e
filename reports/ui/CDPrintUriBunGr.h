#pragma once

#include "reports/core/SalesByCategory.h"
#include "reports/core/SalesGraphPeriod.h"
#include "reports/print/SalesGraphPainter.h"
#include "reports/ui/CGraphFrame.h"

#include <QDate>
#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSettings;

namespace kv {
class CEditEx;
}
namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::print {
class PrinterAccess;
}

namespace kv::reports {



// The selection of the sales analysis graph: the category, the graph type,
// the scale of the bars, the totals option and the period of months. Each
// show opens a graph window from the work copy of the ledger and the job
// categories; closing the dialog ends the copy.
class CDPrintUriBunGr final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWorkCopyKind = 13;
    static inline const QString kProfileSection = QStringLiteral("PrintUriBunGr");

    struct Setup {
        data::CCarMaintenanceDoc* document = nullptr;
        print::PrinterAccess* printers = nullptr;
        QSettings* profile = nullptr;
        // Puts the panel's records back in the order of its search mode.
        std::function<void()> reapplyOrder;
        QDate today = QDate::currentDate();
    };

    CDPrintUriBunGr(Setup setup, QWidget* parent = nullptr);
    ~CDPrintUriBunGr() override;

    QComboBox* categoryList() const { return m_categories; }
    QRadioButton* typeButton(int type) const { return m_types[size_t(type)]; }
    QComboBox* scaleList() const { return m_scales; }
    QCheckBox* totalsBox() const { return m_totals; }
    CEditEx* startField() const { return m_start; }
    CEditEx* endField() const { return m_end; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* closeButton() const { return m_close; }
    int graphType() const { return m_type; }
    // The graph window shown last, while it is open.
    CGraphFrame* lastGraph() const { return m_lastGraph; }

    // The show button: the checks in their order, then the graph window.
    bool showGraph();

protected:
    void done(int result) override;

private:
    void chooseType(int type);
    void enableByType();
    void endMonthLeft();
    // The start month of twelve months to the end month, shown.
    void showTwelveMonthsStart();
    // Clears a refused field, says why and puts the focus on it.
    void refuse(CEditEx* field, const QString& message, bool clear);
    SalesGraph graphOf(const SalesGraphPeriod::Period& period, const SalesFigures& figures) const;

    Setup m_setup;
    std::vector<SalesCategory> m_slotted;
    QComboBox* m_categories;
    std::array<QRadioButton*, 3> m_types{};
    QComboBox* m_scales;
    QCheckBox* m_totals;
    CEditEx* m_start;
    CEditEx* m_end;
    QPushButton* m_show;
    QPushButton* m_close;
    int m_type = SalesGraphPeriod::Pie;
    bool m_copyPrepared = false;
    QPointer<CGraphFrame> m_lastGraph;
};

} // namespace kv::reports
