#pragma once

#include "records/PanelField.h"
#include "records/PanelLookup.h"
#include "records/PanelRecordBinding.h"
#include "records/PanelValues.h"
#include "records/PickList.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;

namespace kv {
class CButtonEx;
class CComboBoxEn;
class CEditEx;
} // namespace kv

namespace kv::data {
class SettingsList;
class SettingsStore;
} // namespace kv::data

namespace kv::records::search {
class CAllSearchGroup;
class QueryFormValues;
} // namespace kv::records::search

namespace kv::records {

class PanelHost;
class PanelRecordSource;
class PostalSearch;
struct PostalAddress;

// The customer and vehicle panel of the main window: the vehicle with its
// inspection-certificate data above, its owning customer below. It shows
// records, steps through them in the current search order and checks every
// field as it is left; recording reads the fields back through
// writeCustomerTo and writeVehicleTo.
class CFMainPanel : public QWidget {
    Q_OBJECT
public:
    CFMainPanel(PanelRecordSource& records, data::SettingsStore& settings, PanelHost& host,
                QWidget* parent = nullptr);
    ~CFMainPanel() override;

    // The customer and its first vehicle; false after the message.
    bool ShowCustomer(int code, bool setMode);
    // The vehicle and its owner; false after the message.
    bool ShowVehicle(int code, bool setMode);
    // The neighbouring customer (modes 1, 2) or vehicle (modes 3, 4) in the
    // recordsets' order; false after the message, the panel unchanged.
    bool StepCustomer(bool next);
    bool StepVehicle(bool next);
    void SetModeText(int mode);
    // Ctrl+Space: the pick list of the focused field, if its group is on.
    void ReferenceInput();
    // The caption buttons and Ctrl+1, 3, 5, 6; user for the user's name and
    // address (the owner's otherwise).
    void openPickList(PickList list, bool user = false);
    // The pick lists are windows of their own; until one is attached the
    // caption buttons stay disabled and the keys do nothing.
    void setPickListOpener(std::function<void(PickList, bool user)> opener);
    bool pickListsAttached() const { return bool(m_pickListOpener); }
    // A pick list wrote its choice into heldValues(): show the fields it names.
    void pickListChosen(PickList list);

    // Which of several addresses the user takes: its index, -1 for none.
    using PostalChooser = std::function<int(const std::vector<PostalAddress>&)>;
    // The postal search behind the 郵便番号 button; without one, or without
    // postal files, the button stays off and its tip says why. An empty
    // chooser is the list dialog.
    void setPostalSearch(PostalSearch* search, PostalChooser chooser = {});
    // The 郵便番号 button (and Ctrl+Space in the field): a typed code fills
    // the owner's first address line, else that line finds its code.
    void postalSearch();

    // Refills a combo box after its list was edited (the list's file).
    void refillLists();
    // Reads the totals from the record service and shows them.
    void showTotals();

    // Empties both halves and disables them (nothing shown).
    void clearPanel();
    // As clearPanel, with the codes read-only and the frame's buttons as for
    // an empty panel.
    void showNothing();
    void setCustomerGroupEnabled(bool enabled);
    void setVehicleGroupEnabled(bool enabled);
    // The code fields are editable only while a new record is entered.
    void setCustomerCodeEditable(bool editable);
    void setVehicleCodeEditable(bool editable);
    bool customerGroupEnabled() const;
    bool vehicleGroupEnabled() const;
    // Shows held values in the fields of one half or both.
    void showValues(const PanelValues& values, bool customer, bool vehicle);

    // The held values, brought up to date with the fields.
    PanelValues& heldValues();
    int shownCustomerCode() const;
    int shownVehicleCode() const;

    // The leaving check of a field, run now (recording runs them in its
    // order); false after the field's message with the focus on it.
    bool checkField(PanelField field);
    void focusField(PanelField field);
    // The fields as rows for recording (codes as shown, the vehicle's owner
    // the shown customer), checked in recording order; on a refused field
    // the message is shown, the field gets the focus and false is returned.
    bool readCustomerRow(data::KokRow& row);
    bool readVehicleRow(data::CarRow& row);
    // A customer as it was recorded, the referrer's name kept.
    void showRecordedCustomer(const data::KokRow& row);
    // The panel as the query form: both halves read as conditions; on a
    // refused field as writeCustomerTo.
    bool readQueryForm(search::QueryFormValues& customer, search::QueryFormValues& vehicle);
    // The group "全検索" in the top row, hidden unless a query is entered.
    search::CAllSearchGroup* queryGroup() const { return m_queryGroup; }

    // The eco car flag beside the weight tax (kept beside the vehicle
    // table, not in it): ticked for a vehicle shown as the source says.
    QCheckBox* ecoBox() const { return m_eco; }
    void setEcoSource(std::function<bool(int vehicleCode)> isEco) { m_isEco = std::move(isEco); }
    // What the cost tables say of a vehicle shown, as the tooltips of its
    // 自賠責料, 重量税 and 印紙代 fields.
    void setCostHints(std::function<QStringList(int vehicleCode)> hints) { m_costHints = std::move(hints); }

    QWidget* fieldWidget(PanelField field) const { return m_fields[size_t(field)]; }
    QWidget* customerGroup() const { return m_customerGroup; }
    QWidget* vehicleGroup() const { return m_vehicleGroup; }
    CButtonEx* captionButton(PickList list, bool user = false) const;
    QString modeText() const;
    QString customerTotalText() const;
    QString vehicleTotalText() const;

    // Which line of each pair last had the focus (0 first, 1 second), for
    // the pick lists; reset when the customer code gets the focus.
    int ownerNameLine() const { return m_ownerNameLine; }
    int ownerAddressLine() const { return m_ownerAddressLine; }
    int userNameLine() const { return m_userNameLine; }
    int userAddressLine() const { return m_userAddressLine; }

private:
    CEditEx* addEdit(PanelField field, int bytes, int inputMode, bool numeric = false,
                     int widthBytes = 0);
    CComboBoxEn* addCombo(PanelField field, int widthBytes);
    CButtonEx* addCheck(PanelField field, const QString& caption);
    QWidget* buildTopRow();
    QWidget* buildVehicleGroup();
    QWidget* buildCustomerGroup();
    void attachChecks();
    void attachBehaviour();
    void fillCombo(PanelField field, const QStringList& entries);
    void fillSettingsCombo(PanelField field, const data::SettingsList& list);
    void applyLookup(const PanelLookupResult& result, int modeForText, bool setMode);
    void updateCommands(bool hasVehicle);
    void collectValues();
    void resetLineFlags();
    bool newCustomerMode() const;
    bool reportFailure(const WriteBackResult& result);
    void updateCaptionButtons();
    void fillAddressFromCode(int post);
    void fillCodeFromAddress(const QString& address);
    int choosePostalAddress(const std::vector<PostalAddress>& addresses);

    QString text(PanelField field) const;
    void setText(PanelField field, const QString& text);

    PanelRecordSource& m_records;
    data::SettingsStore& m_settings;
    PanelHost& m_host;
    PanelLookup m_lookup;
    PanelValues m_values;
    std::array<QWidget*, kPanelFieldCount> m_fields{};
    std::function<void(PickList, bool user)> m_pickListOpener;
    PostalSearch* m_postal = nullptr;
    PostalChooser m_postalChooser;

    QWidget* m_customerGroup = nullptr;
    QWidget* m_vehicleGroup = nullptr;
    search::CAllSearchGroup* m_queryGroup = nullptr;
    CEditEx* m_modeText = nullptr;
    CEditEx* m_customerTotal = nullptr;
    CEditEx* m_vehicleTotal = nullptr;
    CButtonEx* m_ownerNameButton = nullptr;
    CButtonEx* m_ownerAddressButton = nullptr;
    CButtonEx* m_userNameButton = nullptr;
    CButtonEx* m_userAddressButton = nullptr;
    CButtonEx* m_postButton = nullptr;
    CButtonEx* m_officeButton = nullptr;
    CButtonEx* m_vehicleNameButton = nullptr;

    int m_ownerNameLine = 0;
    int m_ownerAddressLine = 0;
    int m_userNameLine = 0;
    int m_userAddressLine = 0;
    QCheckBox* m_eco = nullptr;
    std::function<bool(int)> m_isEco;
    std::function<QStringList(int)> m_costHints;
};

} // namespace kv::records
