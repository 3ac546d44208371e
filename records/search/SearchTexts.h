#pragma once

#include "common/KVCommon.h"

#include <QString>

namespace kv::records::search {

// The messages and fixed texts the searches show.
namespace SearchTexts {
inline QString placeholder() { return QStringLiteral("新規作成中"); }
inline QString noCustomerFound() { return QStringLiteral("該当顧客が存在しません！"); }
inline QString noVehicleFound() { return QStringLiteral("該当車輌が存在しません！"); }
inline QString vehicleWithoutOwner() { return QStringLiteral("該当顧客が存在しません！\nこの車輌は異常です！"); }
inline QString noCustomers() { return QStringLiteral("顧客が存在しません！"); }
inline QString noOwnedVehicles() { return QStringLiteral("保有車輌がありません！"); }
inline QString onlyShownVehicle() { return QStringLiteral("保有車輌は現在表示されている１台のみです！"); }
inline QString noQueryMatch() { return QStringLiteral("該当データが存在しません！"); }
inline QString customerCodeRange()
{
    return QStringLiteral("顧客コードには１から９９９９９９迄の整数を入力してくだい！");
}
inline QString vehicleCodeRange()
{
    return QStringLiteral("車輌コードには1から999999迄の整数を入力してくだい！");
}
// A list holds at most its capacity: the user is told that the rest is not
// shown rather than left believing the list is complete.
inline QString listCut(int total, int shown)
{
    QString totalText;
    QString shownText;
    Kanma(totalText, total);
    Kanma(shownText, shown);
    return QStringLiteral("該当データが%1件あります！\n先頭の%2件のみ一覧に表示します")
        .arg(totalText, shownText);
}
} // namespace SearchTexts

} // namespace kv::records::search
