#pragma once

#include "app/startup/AppGlobals.h"

namespace kv {
class InstallSettings;
}

namespace kv::app {

class FolderMaker;
class InstanceLock;

// The start-up steps before any window exists: one running copy, the
// locale, the profile's organisation, the system's folders, the
// installation's values and the working folders.
class StartupSequence {
public:
    enum class Outcome { Ready, AnotherCopyRunning, Failed };

    StartupSequence(InstanceLock& lock, const InstallSettings& settings, FolderMaker& maker);

    // Failed after the step's message was shown; AnotherCopyRunning quietly.
    Outcome run(AppGlobals& globals);

private:
    InstanceLock& m_lock;
    const InstallSettings& m_settings;
    FolderMaker& m_maker;
};

} // namespace kv::app
