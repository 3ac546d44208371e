#pragma once

#include <QString>

namespace kv::uninstall {

// The uninstaller's own texts, in one place.
namespace UninstallTexts {
inline const QString DeleteLockName = QStringLiteral("Sabion Delete");

inline const QString ProgramRunning =
    QStringLiteral("サビオンが起動中です。\nサビオンを終了させてください！");
inline const QString DialogTitle = QStringLiteral("サビオンの削除");
inline const QString DialogText = QStringLiteral("サビオンのプログラムとデータを削除します。");
inline const QString DialogWarning = QStringLiteral(
    "アンインストールを実行する前にサビオンの\nﾌｧｲﾙ(F)→ﾊﾞｯｸｱｯﾌﾟ(B)を必ず実行してください！");
inline const QString RunButton = QStringLiteral("実行(Enter)");
inline const QString CancelButton = QStringLiteral("中止(Esc)");
inline const QString BackupDoneQuestion =
    QStringLiteral("サビオンのﾌｧｲﾙ(F)→ﾊﾞｯｸｱｯﾌﾟ(B)を実行しましたか？");
inline const QString ReallyContinueQuestion = QStringLiteral(
    "サビオンのﾌｧｲﾙ(F)→ﾊﾞｯｸｱｯﾌﾟ(B)を実行していない場合は\nデータの復元はできません！\n"
    "本当にアンインストールを続けてよろしいですね？");
inline const QString AlreadyRemoved = QStringLiteral("削除済みです！");

inline const QString HelpDeleteError = QStringLiteral("ヘルプフォルダ デリートエラー！");
inline const QString ProgramDeleteError = QStringLiteral("プログラムフォルダ デリートエラー！");
inline const QString DataDeleteError = QStringLiteral("データフォルダ デリートエラー！");
inline const QString FileDeleteError = QStringLiteral("%1 の削除に失敗しました！");

inline const QString Completed = QStringLiteral("サビオンの削除を完了しました。");
inline const QString StoppedPartWay = QStringLiteral("サビオンの削除を途中で中止しました。");

// Another computer still works on the data: nothing may go.
inline const QString DataFolderInUse = QStringLiteral(
    "他のコンピュータ (%1) がサビオンのデータフォルダを使用中です！\n"
    "全てのコンピュータでサビオンを終了させてから\n再度実行して下さい");
inline const QString LockTablesUnreadable = QStringLiteral(
    "%1 を読めません！\n他のコンピュータが使用中でないことを確認できないため\n何も削除しません");

// Why a folder is left as it is.
inline const QString LeftNotAbsolute = QStringLiteral("%1 (絶対パスではありません)");
inline const QString LeftSystemFolder = QStringLiteral("%1 (システムまたはホームのフォルダです)");
inline const QString LeftNotData = QStringLiteral("%1 (サビオンのデータフォルダではありません)");
inline const QString LeftNotProgram = QStringLiteral("%1 (サビオンのプログラムフォルダではありません)");
inline const QString LeftServerShare =
    QStringLiteral("%1 (サーバーの共有フォルダです。サーバーで削除して下さい)");
inline const QString LeftLinkTarget = QStringLiteral("%1 (リンク先のフォルダです)");
inline const QString LeftBackupNotMoved =
    QStringLiteral("%1 (バックアップファイルを移動できませんでした)");
inline const QString LeftNotRemovable = QStringLiteral("%1 (削除できませんでした)");

inline const QString RemovedHeading = QStringLiteral("削除したもの:");
inline const QString LeftHeading = QStringLiteral("残したもの:");
inline const QString BackupsMovedHeading = QStringLiteral("バックアップファイルの移動先:");
inline const QString PackageNote = QStringLiteral(
    "プログラム本体はパッケージ管理で導入されています。\n"
    "「sudo apt remove sabion」で削除して下さい。");
} // namespace UninstallTexts

} // namespace kv::uninstall
