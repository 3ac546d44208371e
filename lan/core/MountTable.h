#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kv::lan {

// One line of the mount table (/proc/self/mounts).
struct MountEntry {
    QString source;     // "//pc01/sabion", "pc01:/srv/sabion", "/dev/sda1"
    QString mountPoint; // "/mnt/sabion"
    QString type;       // "cifs", "nfs4", "fuse.sshfs", ...
    QStringList options;
};

namespace MountTable {

// Undoes the table's octal escapes ("\040" for a space).
QString unescape(const QString& field);
QList<MountEntry> parse(const QString& text);

// The mount a local path lies on: the entry with the longest mount point
// that is the path or a folder above it; the last such when one is mounted
// over another. nullopt for a relative path or an empty table.
std::optional<MountEntry> mountOf(const QString& path, const QList<MountEntry>& mounts);

// Where the server's data folder, given as "//host/share/sub" (Samba) or
// "//host/exported/path" (NFS), lies on this computer: the mount of that
// share (cifs "//host/share", nfs "host:/exported") with the deepest
// match, plus the rest of the path. A host matches the path's host or one
// of otherHosts (the server name this computer knows it by), ignoring case
// and the domain. nullopt when nothing of it is mounted.
std::optional<QString> localPathOf(const QString& networkPath, const QList<MountEntry>& mounts,
                                   const QStringList& otherHosts = {});

// Empty when the mount gives working locks between computers; otherwise
// the message naming the mount option to change: cifs with "nobrl", NFS
// with "nolock" or a "local_lock" other than none (locks kept on this
// computer only), any FUSE file system.
QString lockRefusal(const MountEntry& mount, const QString& folder);

} // namespace MountTable

} // namespace kv::lan
