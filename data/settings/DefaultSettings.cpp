#include "data/settings/DefaultSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <initializer_list>
#include <utility>
#include <vector>

namespace kv::data {

namespace {
SettingsList listOf(const ListLayout& layout, std::initializer_list<const char*> fromIndex1)
{
    SettingsList list(layout);
    int index = 1;
    for (const char* text : fromIndex1)
        list.setEntry(index++, QString::fromUtf8(text));
    return list;
}

// Mask of the record counters, whose files hold the count XOR-ed with it.
constexpr quint32 kCounterMask = 0x5B3E91A7;
constexpr int kLockTableSize = 960;
}

GeneralSettings DefaultSettings::general()
{
    GeneralSettings s;
    s.agencyFeeTaxable = 1; // the agency fee is a taxable service
    s.lastRecordedSlipNo = 0;
    s.defaultPrefecture = -1; // chosen by the shop in its settings
    return s;
}

RoundingSettings DefaultSettings::rounding()
{
    RoundingSettings s;
    s.taxRate = 0.10;
    // Fractions of a yen are cut off everywhere, as most shops bill.
    s.tax = {0, 0};
    s.parts = {0, 0};
    s.discount = {0, 0};
    s.billed = {0, 0};
    s.labour = {0, 0};
    return s;
}

PrintSettings DefaultSettings::print()
{
    PrintSettings s;
    s.positions = PrintPositions::defaults();
    return s;
}

ShopDetails DefaultSettings::shop()
{
    ShopDetails s;
    s.labourRate = 8000;
    s.bodyWorkRate = 7500;
    return s;
}

CategoryNames DefaultSettings::categories()
{
    static const char* const names[CategoryNames::kCount] = {
        "一般", "車検", "点検", "整備", "調整", "交換", "修理", "脱着", "分解", "洗車",
        "部品", "油脂", "ﾀｲﾔ", "電装", "外注", "鈑金", "塗装", "諸費", "他",
    };
    CategoryNames s;
    for (qsizetype i = 0; i < CategoryNames::kCount; ++i)
        s.names[i] = QString::fromUtf8(names[i]);
    return s;
}

SettingsList DefaultSettings::transportOffices()
{
    SettingsList list(ListLayout::transportOffices());
    const char* const offices[] = {
        "品川", "練馬", "足立", "江東", "葛飾", "八王子", "多摩", "横浜", "川崎", "相模",
        "湘南", "大宮", "所沢", "川越", "熊谷", "千葉", "習志野", "袖ヶ浦", "野田", "柏",
    };
    int index = 0;
    for (const char* office : offices)
        list.setEntry(index++, QString::fromUtf8(office));
    return list;
}

SettingsList DefaultSettings::vehicleClasses()
{
    return listOf(ListLayout::vehicleClasses(),
                  {"普通", "小型", "軽自動車", "大型特殊", "小型特殊", "原付"});
}

SettingsList DefaultSettings::vehicleUses()
{
    return listOf(ListLayout::vehicleUses(), {"乗用", "貨物", "乗合", "特種"});
}

SettingsList DefaultSettings::bodyShapes()
{
    return listOf(ListLayout::bodyShapes(),
                  {"箱型", "ステーションワゴン", "幌型", "ボンネット", "キャブオーバー", "バン",
                   "ダンプ", "冷蔵冷凍車", "塵芥車", "散水車", "消防自動車", "救急車",
                   "キャンピング", "霊柩車", "レッカー", "クレーン", "脱着装置付コンテナ専用車",
                   "タンク", "車両運搬車", "粉粒体運搬車", "移動販売車", "二輪自動車",
                   "側車付二輪自動車"});
}

SettingsList DefaultSettings::makes()
{
    return listOf(ListLayout::makes(),
                  {"トヨタ", "日産", "ホンダ", "マツダ", "スバル", "三菱", "スズキ", "ダイハツ",
                   "いすゞ", "日野", "三菱ふそう", "ＵＤトラックス", "レクサス", "光岡",
                   "メルセデス・ベンツ", "ＢＭＷ", "フォルクスワーゲン", "アウディ", "ボルボ",
                   "プジョー", "ルノー", "シトロエン", "フィアット", "ポルシェ", "ミニ",
                   "ジープ", "フォード", "シボレー", "ヤマハ", "カワサキ"});
}

SettingsList DefaultSettings::fuels()
{
    return listOf(ListLayout::fuels(),
                  {"ガソリン", "軽油", "ＬＰＧ", "電気", "ｶﾞｿﾘﾝ･電気", "軽油・電気", "ＣＮＧ",
                   "水素", "灯油"});
}

CallerIdSettings DefaultSettings::callerId()
{
    return {};
}

QByteArray DefaultSettings::emptyRecordCounter()
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(0u ^ kCounterMask, bytes.data());
    return bytes;
}

bool writeDefaultSettings(const QString& folder, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };

    // Texts of the defaults are checked by the writers like any other.
    QString refusal;
    std::vector<std::pair<QString, QByteArray>> files = {
        {"001.dat", DefaultSettings::general().toBytes()},
        {"002.dat", DefaultSettings::rounding().toBytes()},
        {"003.dat", DefaultSettings::print().toBytes()},
        {"004.dat", DefaultSettings::shop().toBytes(&refusal)},
        {"005.dat", BitmapFileNames().toBytes(&refusal)},
        {"006.dat", DefaultSettings::transportOffices().toBytes(&refusal)},
        {"009.dat", DefaultSettings::categories().toBytes(&refusal)},
        {"010.dat", DefaultSettings::vehicleClasses().toBytes(&refusal)},
        {"011.dat", DefaultSettings::vehicleUses().toBytes(&refusal)},
        {"012.dat", DefaultSettings::bodyShapes().toBytes(&refusal)},
        {"013.dat", DefaultSettings::makes().toBytes(&refusal)},
        {"014.dat", DefaultSettings::fuels().toBytes(&refusal)},
        {"015.dat", QByteArray(4, '\0')},
        {"017.dat", DefaultSettings::callerId().toBytes(&refusal)},
        {"018.dat", CallInfoFile().toBytes(&refusal)},
    };
    for (int i = 50; i <= 61; ++i)
        files.emplace_back(QStringLiteral("0%1.dat").arg(i), QByteArray(kLockTableSize, '\0'));
    for (int i = 100; i <= 103; ++i)
        files.emplace_back(QStringLiteral("%1.dat").arg(i), DefaultSettings::emptyRecordCounter());
    if (!refusal.isEmpty())
        return fail(refusal);

    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("フォルダ [%1] が存在しません！").arg(folder));
    const QDir dir(folder);
    for (const auto& [name, bytes] : files) {
        if (QFileInfo::exists(dir.filePath(name)))
            return fail(QStringLiteral("ファイル [%1] が既に存在します！").arg(dir.filePath(name)));
    }
    for (const auto& [name, bytes] : files) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size()
            || !file.flush())
            return fail(QStringLiteral("ファイル [%1] を作成できません！（%2）")
                            .arg(dir.filePath(name), file.errorString()));
    }
    return true;
}

} // namespace kv::data
