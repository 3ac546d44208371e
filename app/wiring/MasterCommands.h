#pragma once

#include "app/frame/CommandGroup.h"

#include <functional>

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {
class DocumentItemStore;
}

namespace kv::app {

class CMainFrame;

// The commands of the master data and settings (menu 設定), registered with
// the main window: the work and parts items open the item dialog, the
// customer name, address and model lists are edited under their lock
// through the frame's pick-list editor once one is attached; a window not
// given leaves its command off.
class MasterCommands {
public:
    // The master-data windows; an empty one leaves its command off.
    struct Windows {
        std::function<void()> workPartsItems;
        std::function<void()> workPartsSets;
        std::function<void()> rounding;
        std::function<void()> agencyFeeTax;
        std::function<void()> companyInformation;
        std::function<void()> jobCategories;
        std::function<void()> defaultPrefecture;
        std::function<void()> transportOffices;
        std::function<void()> vehicleKinds;
        std::function<void()> vehicleUses;
        std::function<void()> bodyShapes;
        std::function<void()> vehicleNames;
        std::function<void()> fuels;
        std::function<void()> statutoryCosts;
    };

    // The windows on the document: the item dialog on the item store, over
    // the frame. Nothing is owned; all outlive the windows.
    static Windows documentWindows(CMainFrame& frame, data::CCarMaintenanceDoc& document,
                                   masters::DocumentItemStore& items);

    // The frame outlives this object; the commands go with it.
    explicit MasterCommands(CMainFrame& frame, Windows windows = {});

private:
    CommandGroup m_group;
};

} // namespace kv::app
