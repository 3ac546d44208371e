#pragma once

#include "app/frame/CommandAvailability.h"

#include <QString>

#include <functional>
#include <map>

namespace kv::data {
class SettingsStore;
}

namespace kv::app {

struct FrameState;
class FramePanel;
class FrameRecords;
class PickListEditor;
class PrinterAccess;
class SearchEntry;

// The main window's command flows, without a window: searches, new, record,
// delete and step, the order of the recordsets, the placeholders of new
// records, the pick-list maintenance under its lock and the printer choice.
// The panel, the entry dialogs and the pick-list dialogs are attached when
// they exist; a flow whose part is missing is not offered (hasHandler).
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

    // A flow that lives in another subsystem (a master-data dialog), run
    // when the command is available.
    void setCommandHandler(int command, std::function<void()> run)
    {
        m_extraHandlers[command] = std::move(run);
    }
    void clearCommandHandler(int command) { m_extraHandlers.erase(command); }

    // Whether everything the command's flow needs is attached.
    bool hasHandler(int command) const;
    // Runs the command's flow when it is available and handled here; false
    // when it was not run.
    bool execute(int command);

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
    bool printerSetup(PrinterAccess& printers);

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
    std::map<int, std::function<void()>> m_extraHandlers;
};

} // namespace kv::app
