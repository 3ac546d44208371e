#pragma once

#include "app/frame/CommandGroup.h"

#include <functional>

namespace kv::app {

class CMainFrame;

// The commands of the customer and vehicle records, registered with the
// main window: the searches, new, record, delete, step and owned vehicles
// on the frame's record flows, the reading index and the query form, and
// the panel's pick-list keys, which stay off until the pick lists are
// windows of their own. A flow whose parts are not attached is not offered.
class RecordCommands {
public:
    // The search windows; an empty one leaves its command off.
    struct SearchWindows {
        std::function<void()> readingIndex;
        std::function<void()> queryByForm;
    };
    // The panel's pick lists by command id (Ctrl+Space, Ctrl+1, 3, 5, 6),
    // and whether they are attached; empty leaves the keys off.
    struct PickLists {
        std::function<void(int command)> open;
        std::function<bool()> attached;
    };

    // The inspection certificate: the reader application's file and the
    // paper certificate's codes; empty leaves the command off.
    struct Certificate {
        std::function<void()> importFile;
        std::function<void()> readCodes;
    };

    // The frame outlives this object; the commands go with it.
    explicit RecordCommands(CMainFrame& frame, SearchWindows windows = {},
                            PickLists pickLists = {}, Certificate certificate = {});

private:
    CommandGroup m_group;
};

} // namespace kv::app
