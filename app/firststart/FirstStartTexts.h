#pragma once

#include <QString>

namespace kv::app {

// The first-start window's texts, in one place.
namespace FirstStartTexts {
inline const QString Title = QStringLiteral("サビオンの初期設定");
inline const QString Intro = QStringLiteral(
    "このコンピュータにはサビオンのインストール設定がありません。\n使い方を選んで下さい。");
inline const QString NewData = QStringLiteral("このコンピュータに新しいデータフォルダを作る(&1)");
inline const QString Demo = QStringLiteral("体験用のデモデータで試す(&2)");
inline const QString Client = QStringLiteral("サーバーに接続する (クライアント)(&3)");
inline const QString DataFolder = QStringLiteral("データフォルダ");
inline const QString Browse = QStringLiteral("参照...");
inline const QString ShopName = QStringLiteral("自社名");
inline const QString Telephone = QStringLiteral("電話番号");
inline const QString Server = QStringLiteral("サーバー名");
inline const QString Port = QStringLiteral("ポート");
inline const QString MountFolder = QStringLiteral("共有フォルダのマウント先");
inline const QString Start = QStringLiteral("開始(Enter)");
inline const QString Cancel = QStringLiteral("中止(Esc)");

inline const QString FolderNotAbsolute = QStringLiteral("フォルダは / から始まる絶対パスで入力して下さい！");
inline const QString FolderNotEmpty = QStringLiteral(
    "%1 にはサビオン以外のファイルがあります！\n空のフォルダか新しいフォルダを指定して下さい。");
inline const QString CreateFailed = QStringLiteral("データフォルダ %1 を作成できません！\n%2");
inline const QString ShopNameMissing = QStringLiteral("自社名を入力して下さい！");
inline const QString ShopSaveFailed = QStringLiteral("自社情報を書き込めません！\n%1");
inline const QString ServerMissing = QStringLiteral("サーバー名を入力して下さい！");
inline const QString PortRange = QStringLiteral("ポートは 1024 から 65535 の範囲で入力して下さい！");
inline const QString NotMounted = QStringLiteral(
    "%1 にはサーバーの共有フォルダがマウントされていません！\n"
    "例えば次の行を /etc/fstab に加えてマウントして下さい:\n"
    "//サーバー名/Sabion  %1  cifs  credentials=/etc/sabion-smb,uid=ユーザー名,_netdev  0  0");
inline const QString NotDataFolder =
    QStringLiteral("%1 にサビオンのデータがありません！\nサーバーの共有フォルダを指定して下さい。");
inline const QString InstallWriteFailed = QStringLiteral("インストール設定ファイル %1 を書き込めません！");
} // namespace FirstStartTexts

} // namespace kv::app
