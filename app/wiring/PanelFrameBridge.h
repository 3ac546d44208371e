#pragma once

#include "app/frame/CommandAvailability.h"
#include "app/frame/FramePanel.h"
#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/panel/QueryFormHost.h"
#include "records/ReservationHost.h"
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
class CertificateImport;
class CFMainPanel;
class NewRecordEntry;
class PanelQueryForm;
class PanelRecorder;
class PanelRemoval;
} // namespace kv::records

namespace kv::records::search {
class PanelSearches;
}

namespace kv::app {

class CMainFrame;
class FrameRecords;
class RecordCommands;

// Puts the customer and vehicle panel into the main window and joins the
// two: it registers the record commands, whose flows reach the panel, its
// searches, its recording and deleting; the panel sets the frame's buttons
// and mode and the codes the frame holds for new records.
class PanelFrameBridge final : public FramePanel,
                               public records::PanelHost,
                               public records::QueryFormHost,
                               public records::ReservationHost,
                               public records::search::PanelNavigator {
public:
    // profile: the per-user profile of the index windows; none opens the
    // user's own. Nothing is owned; the panel becomes a child of the
    // frame's view slot.
    PanelFrameBridge(CMainFrame& frame, data::CCarMaintenanceDoc& document, FrameRecords& records,
                     QSettings* profile = nullptr);
    ~PanelFrameBridge() override;

    records::CFMainPanel& panel() const;
    records::PanelQueryForm& queryForm() const { return *m_queryForm; }

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
    bool DeleteCustomer() override;
    bool DeleteVehicle() override;
    void SetModeText(int mode) override;

    // PanelHost
    int mode() const override;
    void SetCommandButtons(bool f3, bool f4, bool f5, bool previous, bool next, bool slip,
                           bool newCustomer, bool newVehicle, bool ledgerGroup,
                           bool record) override;

    // QueryFormHost (mode and setSearchMode are shared)
    void setQueryMode(bool on) override;

    // ReservationHost
    int reservedCode(records::RecordKind kind) const override;
    void setReservedCode(records::RecordKind kind, int code) override;
    void discardReservation(records::RecordKind kind) override;
    int previousSearchMode() const override;

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

    CMainFrame& m_frame;
    FrameRecords& m_records;
    records::DocumentPanelSource m_source;
    records::search::SearchProfile m_profile;
    QPointer<records::CFMainPanel> m_panel;
    std::unique_ptr<records::search::PanelSearches> m_searches;
    std::unique_ptr<records::PanelQueryForm> m_queryForm;
    std::unique_ptr<records::NewRecordEntry> m_newRecords;
    std::unique_ptr<records::PanelRecorder> m_recorder;
    std::unique_ptr<records::PanelRemoval> m_removal;
    std::unique_ptr<records::CertificateImport> m_certificate;
    std::unique_ptr<RecordCommands> m_commands;
    // The record commands' buttons while an index window holds them off.
    QHash<int, bool> m_heldButtons;
    std::optional<CommandAvailability::Flags> m_flagsOnClose;
};

} // namespace kv::app
