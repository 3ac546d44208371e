#pragma once

#include "reports/core/CustomerSelection.h"
#include "reports/ui/ReportDialog.h"

#include <QImage>

#include <array>

class QCheckBox;
class QComboBox;

namespace kv {
class CNumericEditEx;
}
namespace kv::masters {
class FontChooser;
}

namespace kv::reports {

class CustomerRangeGroup;

// The customer file's print dialog: nine outputs (lists, address book,
// labels, postcards and their tests), the customers by code or reading with
// the greeting flags, the vehicle codes, the copies of the back, the first
// label, the pages. Its settings button opens the label settings for the
// labels and the postcard positions for every other output.
class CDPrintKokCarMst final : public ReportDialog {
    Q_OBJECT
public:
    // fonts: the font dialog of the label settings; not owned.
    CDPrintKokCarMst(Setup setup, masters::FontChooser& fonts);

    QComboBox* outputCombo() const { return m_output; }
    CustomerRangeGroup* customers() const { return m_customers; }
    CNumericEditEx* vehicleFromField() const { return m_vehicleFrom; }
    CNumericEditEx* vehicleToField() const { return m_vehicleTo; }
    QCheckBox* greetingBox(int flag) const { return m_greetings[size_t(flag)]; }
    CNumericEditEx* copiesField() const { return m_copies; }
    CNumericEditEx* startRowField() const { return m_startRow; }
    CNumericEditEx* startColumnField() const { return m_startColumn; }
    QPushButton* settingsButton() const { return m_settings; }

    int output() const;

protected:
    bool checkFields() override;
    ReportRun::Request request(ReportRun::Way way) override;

private:
    void applyEnabling();
    void openSettings();
    std::unique_ptr<print::PagePainter> printout(int output);

    data::CCarMaintenanceDoc& m_document;
    masters::FontChooser& m_fonts;
    QComboBox* m_output;
    CustomerRangeGroup* m_customers;
    CNumericEditEx* m_vehicleFrom;
    CNumericEditEx* m_vehicleTo;
    std::array<QCheckBox*, 4> m_greetings{};
    CNumericEditEx* m_copies;
    CNumericEditEx* m_startRow;
    CNumericEditEx* m_startColumn;
    QPushButton* m_settings;
    QImage m_picture;
    // What the checks let through, for the printout.
    CustomerSelection m_selection;
};

} // namespace kv::reports
