#pragma once

#include "app/frame/CommandAvailability.h"

#include <QString>

#include <functional>

namespace kv::data {
class SettingsStore;
}

namespace kv::print {
class PrinterAccess;
}

namespace kv::app {

struct FrameState;
class FramePanel;
class FrameRecords;
class PickListEditor;
class SearchEntry;

// The main window's command flows, without a window: searches, new, record,
// delete and step, the order of the recordsets, the placeholders of new
// records, the pick-list maintenance under its lock and the printer choice.
// The panel, the entry dialogs and the pick-list dialogs are attached when
// they exist; the subsystems that register these flows as commands offer
// none whose parts are missing.
class FrameCommands {
public:
    enum class Search { CustomerCode, CustomerReading, VehicleCode, PlateNumber };

    FrameCommands(FrameState& state, CommandAvailability& availability, QString computerName);

    void setRecords(FrameRecords* records) { m_records = records; }
    void setPanel(FramePanel* panel) { m_panel = panel; }
    void setSearchEntry(SearchEntry* entry) { m_entry = entry; }
    void setPickListEditor(PickListEditor* editor) { m_pickLists = editor; }
    void setSettingsStore(data::SettingsStore* store) { m_settings = store; }
    // Whether no window that disables the main window is open.
    void setMainWindowEnabled(std::function<bool()> enabled) { m_mainEnabled = std::move(enabled); }

    // Whether the parts the flows work on are attached: the panel with the
    // document's records, the entry dialogs, the pick-list editor.
    bool panelAttached() const { return m_panel && m_records; }
    bool searchEntryAttached() const { return m_entry != nullptr; }
    bool pickListsAttached() const { return m_records && m_pickLists; }

    void SetSearchOrder(int mode);
    void SetCommandButtons(const CommandAvailability::Flags& flags);
    bool DiscardReservedCustomer();
    bool DiscardReservedVehicle();

    void runSearch(Search search);
    void newCustomer();
    void newVehicle();
    void record();
    void deleteShown();
    void step(bool next);
    void ownedVehicles();
    void editPickListUnderLock(int command);
    // False when the dialog was cancelled or the positions could not be had.
    bool printerSetup(print::PrinterAccess& printers);

    FrameState& state() { return m_state; }

private:
    bool mainWindowEnabled() const { return !m_mainEnabled || m_mainEnabled(); }
    void releaseReservations();

    FrameState& m_state;
    CommandAvailability& m_availability;
    QString m_computerName;
    FrameRecords* m_records = nullptr;
    FramePanel* m_panel = nullptr;
    SearchEntry* m_entry = nullptr;
    PickListEditor* m_pickLists = nullptr;
    data::SettingsStore* m_settings = nullptr;
    std::function<bool()> m_mainEnabled;
};

} // namespace kv::app
