#pragma once

#include "common/DiskSpaceCheck.h"
#include "data/service/ExclusiveFileOpener.h"

#include <QString>

#include <functional>

namespace kv::data {

class DefaultPrinterSource;

// What the application shell hands the document before it opens the
// databases.
struct DocumentConfig {
    QString dataFolder;
    QString programFolder;
    int lanRole = 0;      // sw: 0 server or stand-alone, other values a client
    QString computerName; // the name in the lock tables ("Server" on the server)
    // This computer's own name, which the printers' position files carry
    // whatever its LAN role; empty: the host name.
    QString hostName;

    // The free-space check before a placeholder is written; empty: the
    // data folder's drive with the usual message.
    std::function<bool()> checkDiskSpaceForWrite;
    // Free bytes of a folder's drive, for the work copies; empty: the
    // common library's query.
    DiskSpaceCheck::FreeSpaceQuery freeBytes;
    // The default printer whose positions are loaded at start; nullptr: the
    // print system's.
    const DefaultPrinterSource* printers = nullptr;
    // Runs between "017.dat" and "018.dat" at start (caller-ID profile values).
    std::function<void()> callerIdStep;
    // Retries of the shared lock and counter files (tests shorten them).
    RetryTiming openTiming;
};

} // namespace kv::data
