#pragma once

#include <QString>

namespace kv::records::RecordingTexts {

inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

inline const QString codeEditedElsewhere = u("このコードは他のコンピュータで編集中です！");
inline const QString customerEditedElsewhere = u("この顧客は他のコンピュータで編集中です！");
inline const QString dataEditedElsewhere = u("このデータは他のコンピュータで編集中です！");
inline const QString printingElsewhere =
    u("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。");
inline const QString customerCodeRange =
    u("顧客コードには１から９９９９９９迄の整数を入力してくだい！");
inline const QString vehicleCodeRange =
    u("車輛コードには１から９９９９９９迄の整数を入力してくだい！");
inline const QString customerCodeExists =
    u("指定された顧客コードが既に存在します！\n未使用顧客コードを選択して下さい\n"
      "(OKを押すと一番若い未使用顧客コードが表示されます)");
inline const QString vehicleCodeExists =
    u("指定された車輛コードが既に存在します！\n未使用車輛コードを選択して下さい\n"
      "(OKを押すと一番若い未使用車輛コードが表示されます)");
// A new record's code whose placeholder is no longer this computer's.
inline const QString customerCodeNotReserved =
    u("この顧客コードは確保されていません！\n顧客コードを入力し直してから記録して下さい");
inline const QString vehicleCodeNotReserved =
    u("この車輛コードは確保されていません！\n車輛コードを入力し直してから記録して下さい");
inline const QString noCustomerForVehicle =
    u("顧客が選択されていません！\n車輌を単独で追加することはできません");
inline const QString customerMissing = u("該当顧客が存在しません！");
// A table whose rows cannot be counted.
inline const QString recordCountUnknown = u("データのレコード数がわかりません！");
inline const QString referrerMissing = u("該当紹介元顧客が存在しません！");
inline const QString vehicleMissing = u("該当車輌が存在しません！");
// %1: the vehicle count, comma-grouped.
inline const QString vehicleLimit =
    u("車輌が %1件 (最大)存在します！\nこれ以上車輌を新規に追加することはできません");

// The delete chooser.
inline const QString chooserTitle = u("削除データ選択");
inline const QString chooserText = u("削除する方を選択して下さい");
inline const QString chooserCustomer = u("顧客・保有車輌");
inline const QString chooserVehicle = u("車輌");
inline const QString chooserDelete = u("削除(Enter)");
inline const QString chooserCancel = u("中止(Esc)");

} // namespace kv::records::RecordingTexts
