#pragma once

#include <QString>

namespace kv::backup::BackupTexts {

// The backup's messages and questions as the user reads them.
inline const QString InvalidName = QStringLiteral("%1\nこのファイル名は無効です。");
inline const QString WrongDrive = QStringLiteral("このドライブには保存できません！");
inline const QString Overwrite = QStringLiteral("%1 ファイルは既に存在します。\n上書きしますか？");
inline const QString WriteProtected =
    QStringLiteral("ディスク %1 は書き込み保護されています。\n"
                   "書き込み保護されたディスクのファイルには保存できません。");
inline const QString NotReady =
    QStringLiteral("%1 にアクセスできません。\nデバイスの準備ができていません。");
inline const QString NoExtension = QStringLiteral(".SBKか.LZHがありません！");
inline const QString SpaceCheckFailed = QStringLiteral("空き容量チェックエラー");
inline const QString NoRoom =
    QStringLiteral("ドライブ (%1) の空き容量が足りません！\n整理して空き容量を増やして下さい");
inline const QString DeleteFailed = QStringLiteral("%1 の削除に失敗しました！(ｴﾗｰｺｰﾄﾞ=%2)");
inline const QString DisksNeeded = QStringLiteral("%1 枚のディスクが必要です。\n準備はよろしいですか？");
inline const QString InsertDisk = QStringLiteral("%1 枚目のディスクをドライブに入れてください。");
inline const QString ClearDisk =
    QStringLiteral("ドライブ %1 の%2フォーマットを行います！\nよろしいですか？");
inline const QString Quick = QStringLiteral("クイック");
inline const QString FixedDriveRefused = QStringLiteral("固定ドライブのフォーマットは実行しません！");
inline const QString ClearFailed = QStringLiteral("フォーマットに失敗しました１！");
inline const QString Done = QStringLiteral("データバックアップ完了");
inline const QString Stopped = QStringLiteral("データバックアップを中止します！");
inline const QString OutOfMemory = QStringLiteral("メモリが足りません！");
inline const QString ConfirmCancel = QStringLiteral("本当によろしいですね？");

// Sound behaviour the original lacks: refusals while others work on the
// data, an archive beyond the header's size field, the restore.
inline const QString OthersConnected =
    QStringLiteral("他のコンピュータが接続中です！\n他のコンピュータを終了してから実行して下さい。");
inline const QString OthersHoldLocks =
    QStringLiteral("他のコンピュータでデータを使用中です！\n他のコンピュータを終了してから実行して下さい。");
inline const QString PrintingBusy =
    QStringLiteral("他のコンピュータで印刷準備中です！\n暫くしてから再度実行して下さい。");
inline const QString SnapshotFailed = QStringLiteral("%1 の複写に失敗しました！\n%2");
inline const QString PackFailed = QStringLiteral("バックアップファイルの作成に失敗しました！\n%1");
inline const QString TooLarge =
    QStringLiteral("データが大きすぎて１つのバックアップファイルに収まりません！(%1 バイト)");

// After "データバックアップ完了": the files whose names were stored in UTF-8.
inline const QString Utf8Names = QStringLiteral(
    "次のファイルは名前に Shift-JIS で表せない文字があるため、名前を UTF-8 で記録しました。\n%1");
inline const QString MoreNames = QStringLiteral("ほか %1 件");

inline const QString DiskInSetAlready =
    QStringLiteral("%1\nこのディスクには既にこのバックアップの %2 枚目が入っています！\n別のディスクを選んで下さい。");
inline const QString ChooseDisk = QStringLiteral("ディスクを選んで下さい：");
inline const QString NoRemovableDisk = QStringLiteral("取り外し可能なディスクが見つかりません。");
inline const QString DiskFree = QStringLiteral("%1 (%2)  空き %3");

inline const QString FileFilter = QStringLiteral("ｻﾋﾞｵﾝ ﾊﾞｯｸｱｯﾌﾟ ﾌｧｲﾙ (*.SBK *.sbk)");
inline const QString Restore = QStringLiteral("データ復元");
inline const QString Restoring = QStringLiteral("データ復元中");
inline const QString RestoreStopped = QStringLiteral("データ復元を中止します！");
inline const QString RestoreConfirm =
    QStringLiteral("%1 の内容でデータを置き換えます。\n現在のデータは %2 に残します。\n本当によろしいですね？");
inline const QString NotBackupFile = QStringLiteral("%1\nバックアップファイルではありません！");
inline const QString WrongDisk = QStringLiteral("%1\n同じバックアップの %2 枚目のディスクではありません！");
inline const QString Broken = QStringLiteral("バックアップファイルが壊れています！\n%1");
inline const QString DatabaseBroken = QStringLiteral("復元したデータ %1 が壊れています！\n%2");
inline const QString SwapFailed = QStringLiteral("データフォルダの入れ替えに失敗しました！\n%1");
inline const QString Restored = QStringLiteral("データ復元完了\n以前のデータは %1 に残しました。");

} // namespace kv::backup::BackupTexts
