#pragma once

#include "app/frame/CommandGroup.h"

namespace kv::app {

class CMainFrame;

// The commands whose windows are not built yet: the reports. They are registered with their texts, keys
// and rules but without a flow, so they show and stay off; each moves to
// its subsystem's own registration when its window is built; a report
// command ReportCommands registered first keeps its id there.
class PendingCommands {
public:
    // The frame outlives this object; the commands go with it.
    explicit PendingCommands(CMainFrame& frame);

private:
    CommandGroup m_group;
};

} // namespace kv::app
