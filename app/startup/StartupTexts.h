#pragma once

#include <QString>

namespace kv::app {

// The messages of start-up, in one place.
namespace StartupTexts {
inline const QString InstanceName = QStringLiteral("サビオン");
inline const QString ProgramName = QStringLiteral("Sabion");
inline const QString ApplicationTitle = QStringLiteral("サビオン");
inline const QString FrameTitle = QStringLiteral("自動車整備業システム サビオン");

inline const QString PathOpenError = QStringLiteral("実行パス取得オープンエラー！");
inline const QString PathReadError = QStringLiteral("実行パス取得リードエラー！");
inline const QString KindOpenError = QStringLiteral("オープンエラー！");
inline const QString KindReadError = QStringLiteral("リードエラー！");
inline const QString FolderCreateFailed = QStringLiteral("%1 の作成に失敗しました！(エラーコード %2)");
inline const QString ComputerNameOnly = QStringLiteral("パスにコンピュータ名しかありません！");
// A listener that cannot listen would otherwise end the start without a word.
inline const QString ListenFailed = QStringLiteral(
    "ポート %1 で接続の待ち受けを開始できません！\n(%2)\n"
    "1023 以下のポートは管理者権限がないと使用できません。\n"
    "インストール設定ファイル\n%3\nの Port に 1024 以上の番号 (例: Port=7000) を設定し、"
    "他のコンピュータも同じ番号にして下さい。");
inline const QString ClientsConnected = QStringLiteral(
    "接続中のクライアントがあります！\nデータ破損の恐れがありますが\n本当によろしいですね？");
} // namespace StartupTexts

} // namespace kv::app
