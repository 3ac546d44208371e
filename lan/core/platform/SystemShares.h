#pragma once

#include "lan/core/MountTable.h"
#include "lan/core/ShareTable.h"

namespace kv::lan::SystemShares {

// The folders this computer shares: Samba's user shares
// (/var/lib/samba/usershares), its configuration (/etc/samba/smb.conf),
// then the NFS exports (/etc/exports, /etc/exports.d/*.exports). root
// stands in for "/" (tests).
QList<Share> read(const QString& root = QStringLiteral("/"));

// The mount table of this process (/proc/self/mounts), or of file.
QList<MountEntry> mounts(const QString& file = QStringLiteral("/proc/self/mounts"));

// The name other computers reach this one by.
QString hostName();

} // namespace kv::lan::SystemShares
