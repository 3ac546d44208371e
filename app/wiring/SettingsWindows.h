#pragma once

#include "app/frame/PickListEditor.h"
#include "app/wiring/MasterCommands.h"

#include <memory>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::records {
class CFMainPanel;
class PostalSearch;
}

namespace kv::app {

class CMainFrame;

// The settings windows of the 設定 menu over the document: the shop's
// details, the job categories, the default prefecture, the fixed lists of
// the vehicle form (the panel refills its lists after them) and the
// typing-aid tables, which the frame opens under their lock. Also gives the
// panel its postal search.
class SettingsWindows final : public PickListEditor {
public:
    SettingsWindows(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                    records::CFMainPanel& panel);
    ~SettingsWindows() override;

    // The windows' entries of the master commands.
    void addTo(MasterCommands::Windows& windows);

    // PickListEditor: CustomerNameList, AddressList or ModelList.
    void edit(int command) override;

private:
    template <class Dialog>
    void showFixedList();

    CMainFrame& m_frame;
    data::CCarMaintenanceDoc& m_document;
    records::CFMainPanel& m_panel;
    std::unique_ptr<records::PostalSearch> m_postal;
};

} // namespace kv::app
