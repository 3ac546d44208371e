#pragma once

#include <QString>

namespace kv::lan {

// The commands of the messages and the LAN's own texts, in one place.
namespace LanTexts {
inline const QString GetDataPath = QStringLiteral("GetSvrDataDirectoryPath");
inline const QString PutDataPath = QStringLiteral("PutSvrDataDirectoryPath");
inline const QString Close = QStringLiteral("Close");
// A client's first message on each connection: it is one of the server's
// clients from then on.
inline const QString Join = QStringLiteral("Join");
inline const QString Update = QStringLiteral("Update");
inline const QString Delete = QStringLiteral("Delete");
inline const QString KokRequery = QStringLiteral("KokRequery");
inline const QString KokCarRequery = QStringLiteral("KokCarRequery");
inline const QString TelCallInfo = QStringLiteral("TelCallInfo");
// The server's computer name.
inline const QString ServerName = QStringLiteral("Server");

inline const QString MessageTooLong = QStringLiteral("送信メッセージが長すぎます！");
inline const QString ConnectionClosed =
    QStringLiteral("サーバーにより接続が閉じられています(受信エラー)！\n再起動して下さい。");
inline const QString DataPathFailed = QStringLiteral("M-S-D失敗！");
inline const QString PathEmpty = QStringLiteral("このパスは異常です100！");
inline const QString PathNotAbsolute = QStringLiteral("このパスは異常です101！");
inline const QString NotShared = QStringLiteral("サビオンのデータフォルダが共有されていません！");

// A client keeps working on the data folder while its server is away and
// joins it again by itself, so it says so once instead of asking for a
// restart.
inline const QString ServerLost = QStringLiteral(
    "サーバーとの接続が切れました！\n"
    "このまま作業を続けられます。サーバーが再び起動すると自動的に接続し直します。");
inline const QString ServerUnreachable = QStringLiteral(
    "サーバー %1 (ポート %2) に接続できません！\n"
    "データフォルダ %3 で起動します。サーバーが起動すると自動的に接続します。");
// The server names no folder while it deletes, backs up or restores: the
// client works on the installation's folder, which may not be the shop's data.
inline const QString ServerBusy = QStringLiteral(
    "サーバーでデータの削除・バックアップ・復元のいずれかが実行中のため、"
    "データフォルダを受け取れませんでした！\n"
    "データフォルダ %1 で起動します。");
inline const QString ShareNotMounted = QStringLiteral(
    "サーバーのデータフォルダ %1 がこのコンピュータにマウントされていません！\n"
    "例えば次のようにマウントして下さい:\n"
    "sudo mount -t cifs %2 /mnt/sabion -o username=ユーザー名,uid=$(id -u),gid=$(id -g)\n"
    "または、インストール設定ファイルの MountPoint にマウント先のフォルダを設定して下さい。");
inline const QString LockOptionRefused = QStringLiteral(
    "データフォルダ %1 のマウント (%2) ではファイルのロックが効きません！\n"
    "マウントオプション %3 を付けずにマウントし直して下さい。\n"
    "ロックが効かないまま複数のコンピュータで使用するとデータが壊れます。");
inline const QString FuseRefused = QStringLiteral(
    "データフォルダ %1 は FUSE のファイルシステム (%2) にあり、"
    "コンピュータ間のファイルのロックが効きません！\n"
    "cifs (Samba) か nfs でマウントし直して下さい。");
inline const QString LanPaneDisconnected = QStringLiteral("サーバー未接続");
} // namespace LanTexts

} // namespace kv::lan
