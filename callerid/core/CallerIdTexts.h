#pragma once

#include <QString>

namespace kv::callerid {

// The texts of caller ID, in one place.
struct CallerIdTexts {
    // %1: the port number. Yes stores "none" as the port and starts without
    // caller ID; No ends the start of the program.
    static QString adapterMissing(int port)
    {
        return QStringLiteral("TLX-K5がコンピュータのシリアルポート COM%1 に接続されていません！\n"
                              "TLX-K5の接続を なし に変更しますか？")
            .arg(port);
    }
    static inline const QString ClockFailed = QStringLiteral("日付・時刻の設定に失敗しました！");
    static inline const QString NoticeModeFailed = QStringLiteral("通知機能の設定に失敗しました！");
    static inline const QString WatchFailed = QStringLiteral("監視開始に失敗しました！");
    static inline const QString SoundAllocationFailed = QStringLiteral("サウンド確保失敗！");
    static inline const QString SoundReadFailed = QStringLiteral("サウンドリード失敗！");
    static inline const QString PanelBusy =
        QStringLiteral("他の作業を実行中のため表示できません！");
    static inline const QString Placeholder = QStringLiteral("新規作成中");

    // The LAN message of a recognised call: "TelCallInfo", the customer
    // code, then the customer's texts and the arrival (CallInfoStore).
    static inline const QString TelCallInfo = QStringLiteral("TelCallInfo");
};

} // namespace kv::callerid
