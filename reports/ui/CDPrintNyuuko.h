#pragma once

#include "print/PrintFont.h"
#include "reports/core/LabelSheet.h"
#include "reports/ui/ReportDialog.h"

#include <QDate>
#include <QImage>

#include <array>

class QCheckBox;
class QRadioButton;

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

namespace kv::data {
class CCarMaintenanceDoc;
}
namespace kv::masters {
class FontChooser;
}

namespace kv::reports {

// The inspection reminders: the vehicles whose inspection expires in a
// span of months as a list, reminder postcards (with their backs and the
// two samples) or labels; the expenses option is stored as soon as it is
// ticked.
class CDPrintNyuuko final : public ReportDialog {
    Q_OBJECT
public:
    enum Output { List, Postcards, Backs, PostcardSample, BackSample, Labels, kOutputs };
    static constexpr int kReportKind = 1;

    // today: what the month fields open with (the month after it).
    CDPrintNyuuko(Setup setup, data::CCarMaintenanceDoc& document, QDate today,
                  masters::FontChooser& fonts);

    QRadioButton* outputButton(Output output) const { return m_outputs[size_t(output)]; }
    CEditEx* startMonthField() const { return m_startMonth; }
    CEditEx* endMonthField() const { return m_endMonth; }
    CNumericEditEx* copiesField() const { return m_copies; }
    CNumericEditEx* startRowField() const { return m_startRow; }
    QCheckBox* costsOption() const { return m_costs; }
    QPushButton* settingsButton() const { return m_settings; }
    Output output() const;

    static QString titleOf(Output output);

protected:
    bool checkFields() override;
    ReportRun::Request request(ReportRun::Way way) override;

private:
    void applyEnabling();
    void storeCostsOption(bool on);
    void openSettings();
    bool checkLabelSheet();
    std::unique_ptr<print::PagePainter> printout(Output output, bool preview);
    QString selectionFilter() const;

    data::CCarMaintenanceDoc& m_document;
    masters::FontChooser& m_fonts;
    std::array<QRadioButton*, kOutputs> m_outputs{};
    CEditEx* m_startMonth;
    CEditEx* m_endMonth;
    CNumericEditEx* m_copies;
    CNumericEditEx* m_startRow;
    CNumericEditEx* m_startColumn;
    QCheckBox* m_costs;
    QPushButton* m_settings;
    QImage m_back;
    QDate m_first;
    QDate m_last;
    LabelSheet m_sheet;
    print::PrintFont m_labelFont;
};

} // namespace kv::reports
