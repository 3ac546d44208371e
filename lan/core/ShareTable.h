#pragma once

#include <QList>
#include <QString>

namespace kv::lan {

// The folders this computer shares: Samba's configuration and user shares,
// and NFS exports, read from their text (platform/SystemShares reads the
// files).
struct Share {
    enum class Kind { Samba, Nfs };
    Kind kind = Kind::Samba;
    QString name; // Samba: the share name; NFS: the exported path
    QString path; // the local folder
};

namespace ShareTable {

// "[name]" sections with "path = ..." of an smb.conf; [global], [homes] and
// the printer sections are no folder shares, "available = no" is off.
QList<Share> parseSmbConf(const QString& text);
// One file of Samba's user share folder ("path=", "sharename=").
QList<Share> parseUsershare(const QString& fileName, const QString& text);
// The lines of /etc/exports (paths may be quoted or use \040 escapes).
QList<Share> parseExports(const QString& text);

// The network path of folder: "//host/share" when a share's folder is the
// folder, "//host/share/sub" when the folder lies below it, for NFS
// "//host/exported/path"; a share whose name holds "$" is hidden and never
// taken. Exact matches go first, then the deepest share above. Empty when
// none shares it.
QString networkPathOf(const QString& folder, const QList<Share>& shares, const QString& host);

// What answers "GetSvrDataDirectoryPath" on the server: the network path of
// the local data folder. False with the message that says why there is
// none in failure: "このパスは異常です100！" for an empty folder,
// "このパスは異常です101！" for one that is not absolute,
// "サビオンのデータフォルダが共有されていません！" for one no share exports.
// Nothing is shown here: the server tells its user once per cause, while
// every client that asks meets the failure.
bool GetSharedDataFolderPath(const QString& localDataFolder, const QList<Share>& shares,
                             const QString& host, QString& path, QString& failure);

} // namespace ShareTable

} // namespace kv::lan
