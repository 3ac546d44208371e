#pragma once

#include <QString>

namespace kv::data {

// What the position file name of a printer is derived from.
struct PrinterIdentity {
    QString name;       // the queue's name
    QString serverName; // the print server of a remote queue, else empty
    QString shareName;  // the name under which the queue is shared, else empty
    bool shared = false;
};

} // namespace kv::data
