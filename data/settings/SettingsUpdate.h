#pragma once

namespace kv::data {

// What a LAN "Update" message made the settings store re-read, so that the
// caller can refresh the matching drop-down or print preview.
enum class SettingsUpdate {
    None,
    PrintSettings,  // "印字": "003.dat" and the current printer's positions
    BitmapNames,    // "ファイル名": "005.dat"
    VehicleClasses, // "種別": "010.dat"
    VehicleUses,    // "用途": "011.dat"
    BodyShapes,     // "形状": "012.dat"
    Makes,          // "車名": "013.dat"
    Fuels,          // "燃料": "014.dat"
    Rounding,       // "端数処理": "002.dat", the tax rate and rounding of new totals
    General,        // "代行料 課税・非課税", "郵便番号検索 標準都道府県": "001.dat"
    Shop,           // "自社情報": "004.dat", the shop's details and labour rates
    TransportOffices, // "陸事": "006.dat"
};

} // namespace kv::data
