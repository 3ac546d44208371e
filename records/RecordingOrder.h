#pragma once

#include "records/PanelField.h"

namespace kv::records::RecordingOrder {

// The order in which recording checks the fields, so that of several
// faults the user always meets the same one first.
inline constexpr PanelField customer[] = {
    PanelField::Syochuu,   PanelField::Nenga,      PanelField::Chuugen,    PanelField::Seibo,
    PanelField::KokCode,   PanelField::Burth,      PanelField::BurthEra,   PanelField::Sama,
    PanelField::Furi,      PanelField::KokBiko1,   PanelField::KokBiko2,   PanelField::UserName1,
    PanelField::UserName2, PanelField::OwnerName1, PanelField::OwnerName2, PanelField::UserJyu1,
    PanelField::UserJyu2,  PanelField::OwnerJyu1,  PanelField::OwnerJyu2,  PanelField::UseBase1,
    PanelField::UseBase2,  PanelField::Post,       PanelField::Shime1,     PanelField::Shime2,
    PanelField::Shime3,    PanelField::Shime4,     PanelField::Tel1,       PanelField::Tel2,
    PanelField::SyoukaiKokCode,
};

inline constexpr PanelField vehicle[] = {
    PanelField::CarBiko1,  PanelField::CarBiko2,   PanelField::CarCode,    PanelField::Jiei,
    PanelField::Keijyo,    PanelField::Syamei,     PanelField::Syasyu,     PanelField::Syubetu,
    PanelField::Youto,     PanelField::Daiko,      PanelField::Gendoki,    PanelField::Haba,
    PanelField::Haikiryo,  PanelField::Homan,      PanelField::Syaman,     PanelField::Syonen,
    PanelField::SyonenEra, PanelField::Jibai,      PanelField::Insi,       PanelField::JyuZei,
    PanelField::Jyuryo,    PanelField::Kana,       PanelField::Katasiki,   PanelField::KouKou,
    PanelField::KouZen,    PanelField::Nagasa,     PanelField::Nenryo,     PanelField::Preno,
    PanelField::Rikuji,    PanelField::Rno,        PanelField::Rui,        PanelField::Kata,
    PanelField::Sekisai,   PanelField::Sekisai2,   PanelField::SouJyuryo,  PanelField::SouJyuryo2,
    PanelField::Syatai,    PanelField::Takasa,     PanelField::Teiin,      PanelField::Teiin2,
    PanelField::Tounen,    PanelField::TounenEra,  PanelField::Yuko,       PanelField::ZenKou,
    PanelField::ZenZen,
};

} // namespace kv::records::RecordingOrder
