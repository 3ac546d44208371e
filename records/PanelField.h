#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <optional>

namespace kv::records {

// Every field of the panel, customer fields first. Era lists are fields of
// their own, so that a failure can put the focus on them.
enum class PanelField : int {
    // customer
    KokCode, OwnerName1, OwnerName2, OwnerJyu1, OwnerJyu2, UserName1, UserName2, Sama, Furi,
    Post, UserJyu1, UserJyu2, Tel1, Tel2, UseBase1, UseBase2, BurthEra, Burth, Shime1, Shime2,
    Shime3, Shime4, KokBiko1, KokBiko2, Syochuu, Nenga, Chuugen, Seibo, Hoyu, SyoukaiKokCode,
    SyoukaiName,
    // vehicle
    CarCode, Rikuji, Rno, Kana, Preno, TounenEra, Tounen, SyonenEra, Syonen, Syubetu, Youto,
    Jiei, Keijyo, Syamei, Syasyu, Katasiki, Teiin, Teiin2, Sekisai, Sekisai2, Jyuryo,
    SouJyuryo, SouJyuryo2, Syatai, Gendoki, Nagasa, Haba, Takasa, Haikiryo, Nenryo, Kata, Rui,
    ZenZen, ZenKou, KouZen, KouKou, Syaman, Yuko, Homan, Jibai, JyuZei, Insi, Daiko, CarBiko1,
    CarBiko2,
    Count
};

inline constexpr int kPanelFieldCount = int(PanelField::Count);

inline bool isCustomerField(PanelField field)
{
    return field < PanelField::CarCode;
}

// The column of the customer or vehicle table a field shows; empty for the
// era lists and the referrer's name, which are no columns.
QLatin1StringView columnOf(PanelField field);
// The field showing a column, none for a column the panel does not show.
std::optional<PanelField> fieldOfColumn(QStringView column);

} // namespace kv::records
