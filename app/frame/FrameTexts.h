#pragma once

#include <QString>

namespace kv::app {

// The main window's own messages and questions.
namespace FrameTexts {
inline const QString DeleteCustomerQuestion = QStringLiteral(
    "表示中の顧客・保有車輌とその車歴・取引明細を削除します！\n本当によろしいですね？");
inline const QString DeleteVehicleQuestion =
    QStringLiteral("表示中の車輌とその車歴を削除します！\n本当によろしいですね？");
inline const QString EditedElsewhere = QStringLiteral("このデータは他のコンピュータで編集中です！");
inline const QString HelpWindowFailed = QStringLiteral("ヘルプウィンド設定失敗！");
inline const QString HelpPageMissing = QStringLiteral("ヘルプファイル %1 がありません！");
inline const QString ClientPaneText = QStringLiteral(" クライアント");
inline const QString LanPaneBlank = QString(17, QLatin1Char(' '));
} // namespace FrameTexts

} // namespace kv::app
