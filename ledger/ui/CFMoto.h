#pragma once

#include "ledger/core/LedgerEntry.h"
#include "ledger/core/LedgerRows.h"

#include <QStringList>
#include <QWidget>

#include <map>

class QLabel;
class QSettings;

namespace kv {
class CComboBoxEn;
class CEditEx;
class CListCtrlEx;
} // namespace kv
namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::ledger {

class LedgerAccess;
class LedgerListModel;

// The ledger form: the customer's rows with the running balance above, the
// entry of one sale or payment below. A new entry (mode 0) is added when
// recorded; a selected line (mode 1) is loaded and rewritten, unless it is
// linked to a slip, which is changed through the slip.
class CFMoto : public QWidget {
    Q_OBJECT
public:
    enum class Mode { New = 0, Modify = 1 };

    struct Setup {
        int customerCode = 0;
        // The profile section "Moto" (column widths); not owned.
        QSettings* profile = nullptr;
        // The entries of the vehicle-name list, for the owned vehicles.
        QStringList vehicleNames;
    };

    CFMoto(data::CCarMaintenanceDoc& document, LedgerAccess& access, Setup setup,
           QWidget* parent = nullptr);
    ~CFMoto() override;

    // Reads the customer's rows, balance and job categories and starts a
    // new entry; false after the message.
    bool load();

    Mode mode() const { return m_mode; }
    const LedgerRows& rows() const { return m_rows; }
    // The slip the selected line is linked to, 0 when none.
    int selectedSlip() const { return m_mode == Mode::Modify ? m_linkedSlip : 0; }
    bool canRecord() const { return m_mode == Mode::New || m_linkedSlip == 0; }

    // F1: a new entry, the focus on the date.
    void newEntry();
    // F2: the focus to the list, whose current line is loaded.
    void focusList();
    // F3, F4, F5, F12.
    void deleteLine();
    void searchSlip();
    void ownedVehicles();
    bool record();
    // After the carried-forward balance was set: read again and every
    // balance recomputed.
    void refreshCarriedForward();

    CListCtrlEx* list() const { return m_list; }
    CEditEx* field(EntryField which) const;
    CComboBoxEn* categoryBox() const { return m_category; }
    CEditEx* totalField() const { return m_total; }
    CEditEx* resultField() const { return m_result; }
    QLabel* resultCaption() const { return m_resultCaption; }
    CEditEx* carriedForwardField() const { return m_carried; }

signals:
    // The mode or the selected line changed: the commands follow.
    void stateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void attachBehaviour();
    void showList();
    // The current line without a selection, or selected and loaded.
    void makeCurrent(int row, bool select);
    void selectLine(int row);
    void onAmountLeft(EntryField which);
    void onVehicleLeft();
    void onCategoryChosen();
    // The payment layout for kind 99, else the sales layout.
    void applyLayout(bool payment);
    // The typed fields over the last computed entry; false after the
    // message with the focus on the field.
    bool readEntry(LedgerEntry* entry);
    bool recalc(RecalcCause cause);
    void showEntry();
    void showCarriedForward();
    void focusField(EntryField which);
    void fillPlate(const data::CarRow* vehicle);
    // Leaves the focused field as the user would; false when it refused.
    bool finishFocusedField();
    const slips::JobCategory* chosenCategory() const;

    data::CCarMaintenanceDoc& m_document;
    LedgerAccess& m_access;
    Setup m_setup;
    LedgerRows m_rows;
    LedgerEntry m_entry;
    RememberedAmounts m_remembered;
    Mode m_mode = Mode::New;
    int m_currentId = 0;
    int m_linkedSlip = 0;
    // Set while the form moves the list or the category itself.
    bool m_quiet = false;
    // A recomputation refused as a field was left.
    bool m_refusedOnLeave = false;

    CListCtrlEx* m_list = nullptr;
    LedgerListModel* m_model = nullptr;
    CEditEx* m_carried = nullptr;
    CComboBoxEn* m_category = nullptr;
    std::map<EntryField, CEditEx*> m_fields;
    CEditEx* m_total = nullptr;
    CEditEx* m_result = nullptr;
    QLabel* m_resultCaption = nullptr;
};

} // namespace kv::ledger
