#pragma once

#include <QString>

namespace kv::app {

// The process-wide values start-up learns and every window reads: where the
// program and the data live and which role this computer plays on the LAN.
struct AppGlobals {
    QString programFolder;
    QString dataFolder;
    // dataFolder as read at start, kept when a client later works on the
    // server's share.
    QString localDataFolder;
    QString tempFolder;
    QString photoFolder;
    QString printerFolder;
    // 0 server or stand-alone, anything else a client.
    int lanRole = 0;
    QString serverName;
    QString computerName;
    int port = 700;
    int platformFamily = 0;

    QString currentFolder;
    QString windowsFolder;
    QString systemFolder;
    QString desktopFolder;
    QString programFilesFolder;
    QString programsFolder;
    QString systemTempFolder;
    QString documentsFolder;
    QString windowsComputerName;

    bool isClient() const { return lanRole != 0; }
};

} // namespace kv::app
