#pragma once

#include "app/frame/CommandAvailability.h"
#include "app/frame/FramePanel.h"
#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/search/PanelNavigator.h"
#include "records/search/SearchProfile.h"

#include <QHash>
#include <QPointer>

#include <memory>
#include <optional>

class QSettings;

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {
class CFMainPanel;
}

namespace kv::records::search {
class PanelSearches;
}

namespace kv::app {

class CMainFrame;
class FrameRecords;

// Puts the customer and vehicle panel into the main window and joins the
// two: the frame's commands reach the panel and its searches, the panel sets
// the frame's buttons and mode. New, record and delete are not offered yet:
// their commands stay disabled whatever the panel asks for.
class PanelFrameBridge final : public FramePanel,
                               public records::PanelHost,
                               public records::search::PanelNavigator {
public:
    // profile: the per-user profile of the index windows; none opens the
    // user's own. Nothing is owned; the panel becomes a child of the
    // frame's view slot.
    PanelFrameBridge(CMainFrame& frame, data::CCarMaintenanceDoc& document, FrameRecords& records,
                     QSettings* profile = nullptr);
    ~PanelFrameBridge() override;

    records::CFMainPanel& panel() const;

    // FramePanel
    bool ShowCustomer(int code, bool setMode) override;
    bool ShowByReading(const QString& reading) override;
    bool ShowVehicle(int code, bool setMode) override;
    bool ShowByPlate(const QString& number) override;
    void ShowOwnedVehicles() override;
    void StepCustomer(bool next) override;
    void StepVehicle(bool next) override;
    int NewCustomer() override;
    bool NewVehicle(int* reservedCode) override;
    bool RecordNewVehicle() override;
    bool RecordCurrent() override;
    bool RecordNewCustomer() override;
    void DeleteCustomer() override;
    bool DeleteVehicle() override;
    void SetModeText(int mode) override;

    // PanelHost
    int mode() const override;
    void SetCommandButtons(bool f3, bool f4, bool f5, bool previous, bool next, bool slip,
                           bool newCustomer, bool newVehicle, bool ledgerGroup,
                           bool record) override;

    // PanelNavigator
    bool showCustomer(int code, bool setMode) override;
    bool showVehicle(int code, bool setMode) override;
    void setModeText(int mode) override;
    void setSearchMode(int mode) override;
    void releaseReservations() override;
    void indexWindowOpened(bool disablesMainWindow) override;
    void indexWindowClosed(bool disabledMainWindow) override;
    int shownCustomerCode() const override;

private:
    void disableUnbuiltCommands();
    void reportUnavailable();

    CMainFrame& m_frame;
    FrameRecords& m_records;
    records::DocumentPanelSource m_source;
    records::search::SearchProfile m_profile;
    QPointer<records::CFMainPanel> m_panel;
    std::unique_ptr<records::search::PanelSearches> m_searches;
    // The record commands' buttons while an index window holds them off.
    QHash<int, bool> m_heldButtons;
    std::optional<CommandAvailability::Flags> m_flagsOnClose;
};

} // namespace kv::app
