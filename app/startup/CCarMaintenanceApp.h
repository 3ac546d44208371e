#pragma once

#include "app/startup/AppGlobals.h"

#include <memory>

namespace kv::app {

class CMainFrame;

// The application object: brings the program up (one copy, the
// installation's values and folders, the document with its listener and
// databases, the main window) and clears the temporary folder at the end.
class CCarMaintenanceApp {
public:
    CCarMaintenanceApp();
    ~CCarMaintenanceApp();
    CCarMaintenanceApp(const CCarMaintenanceApp&) = delete;
    CCarMaintenanceApp& operator=(const CCarMaintenanceApp&) = delete;

    // False ends the process: another copy runs (quietly) or a step failed
    // (after its message).
    bool InitInstance();
    // Empties the temporary folder; the process's exit code.
    int ExitInstance(int code);

    const AppGlobals& globals() const { return m_globals; }
    CMainFrame* mainFrame() const;

private:
    // Without an installation file, the first-start window sets one up;
    // false when it was cancelled (nothing written) or another copy runs.
    bool firstStart();

    struct Parts;
    AppGlobals m_globals;
    std::unique_ptr<Parts> m_parts;
};

} // namespace kv::app
