#pragma once

#include "app/startup/AppGlobals.h"

namespace kv {
class InstallSettings;
}

namespace kv::app {

class FolderMaker;

// Reads what the installation recorded (program path, data folder, LAN role,
// server name, LAN port) and creates the working folders under the data
// folder. Each step shows its message and gives false on failure.
class InstallationReader {
public:
    InstallationReader(const InstallSettings& settings, FolderMaker& maker);

    bool readPaths(AppGlobals& globals) const;
    bool readRole(AppGlobals& globals) const;
    // Only a client needs (and reads) the server's name.
    bool readServerName(AppGlobals& globals) const;
    // All three in order, then the port.
    bool readAll(AppGlobals& globals) const;

private:
    const InstallSettings& m_settings;
    FolderMaker& m_maker;
};

} // namespace kv::app
