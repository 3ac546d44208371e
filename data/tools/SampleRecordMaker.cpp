#include "data/tools/SampleRecordMaker.h"

#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"

#include <array>
#include <cmath>

namespace kv::data {

namespace {

struct NameAndReading {
    const char* name;
    const char* reading; // half-width katakana
};

constexpr std::array<NameAndReading, 40> kSurnames{{
    {"佐藤", "ｻﾄｳ"}, {"鈴木", "ｽｽﾞｷ"}, {"高橋", "ﾀｶﾊｼ"}, {"田中", "ﾀﾅｶ"}, {"伊藤", "ｲﾄｳ"},
    {"渡辺", "ﾜﾀﾅﾍﾞ"}, {"山本", "ﾔﾏﾓﾄ"}, {"中村", "ﾅｶﾑﾗ"}, {"小林", "ｺﾊﾞﾔｼ"}, {"加藤", "ｶﾄｳ"},
    {"吉田", "ﾖｼﾀﾞ"}, {"山田", "ﾔﾏﾀﾞ"}, {"佐々木", "ｻｻｷ"}, {"山口", "ﾔﾏｸﾞﾁ"}, {"松本", "ﾏﾂﾓﾄ"},
    {"井上", "ｲﾉｳｴ"}, {"木村", "ｷﾑﾗ"}, {"林", "ﾊﾔｼ"}, {"斎藤", "ｻｲﾄｳ"}, {"清水", "ｼﾐｽﾞ"},
    {"山崎", "ﾔﾏｻﾞｷ"}, {"森", "ﾓﾘ"}, {"池田", "ｲｹﾀﾞ"}, {"橋本", "ﾊｼﾓﾄ"}, {"阿部", "ｱﾍﾞ"},
    {"石川", "ｲｼｶﾜ"}, {"山下", "ﾔﾏｼﾀ"}, {"中島", "ﾅｶｼﾞﾏ"}, {"石井", "ｲｼｲ"}, {"小川", "ｵｶﾞﾜ"},
    {"前田", "ﾏｴﾀﾞ"}, {"岡田", "ｵｶﾀﾞ"}, {"長谷川", "ﾊｾｶﾞﾜ"}, {"藤田", "ﾌｼﾞﾀ"}, {"後藤", "ｺﾞﾄｳ"},
    {"近藤", "ｺﾝﾄﾞｳ"}, {"村上", "ﾑﾗｶﾐ"}, {"遠藤", "ｴﾝﾄﾞｳ"}, {"青木", "ｱｵｷ"}, {"坂本", "ｻｶﾓﾄ"},
}};

constexpr std::array<NameAndReading, 32> kGivenNames{{
    {"太郎", "ﾀﾛｳ"}, {"一郎", "ｲﾁﾛｳ"}, {"健太", "ｹﾝﾀ"}, {"翔太", "ｼｮｳﾀ"}, {"大輔", "ﾀﾞｲｽｹ"},
    {"拓也", "ﾀｸﾔ"}, {"直樹", "ﾅｵｷ"}, {"浩", "ﾋﾛｼ"}, {"誠", "ﾏｺﾄ"}, {"隆", "ﾀｶｼ"},
    {"修", "ｵｻﾑ"}, {"茂", "ｼｹﾞﾙ"}, {"和夫", "ｶｽﾞｵ"}, {"明", "ｱｷﾗ"}, {"剛", "ﾂﾖｼ"},
    {"蓮", "ﾚﾝ"}, {"陽翔", "ﾊﾙﾄ"}, {"花子", "ﾊﾅｺ"}, {"恵子", "ｹｲｺ"}, {"洋子", "ﾖｳｺ"},
    {"幸子", "ｻﾁｺ"}, {"美穂", "ﾐﾎ"}, {"由美", "ﾕﾐ"}, {"裕子", "ﾕｳｺ"}, {"直美", "ﾅｵﾐ"},
    {"愛", "ｱｲ"}, {"真由美", "ﾏﾕﾐ"}, {"さくら", "ｻｸﾗ"}, {"結衣", "ﾕｲ"}, {"美咲", "ﾐｻｷ"},
    {"健一", "ｹﾝｲﾁ"}, {"智子", "ﾄﾓｺ"},
}};

// Firms are read without their legal form, as shops file them.
constexpr std::array<NameAndReading, 8> kFirms{{
    {"丸山運輸", "ﾏﾙﾔﾏｳﾝﾕ"}, {"東和建設", "ﾄｳﾜｹﾝｾﾂ"}, {"三和商事", "ｻﾝﾜｼｮｳｼﾞ"},
    {"大成工業", "ﾀｲｾｲｺｳｷﾞｮｳ"}, {"北斗物流", "ﾎｸﾄﾌﾞﾂﾘｭｳ"}, {"青葉設備", "ｱｵﾊﾞｾﾂﾋﾞ"},
    {"富士電工", "ﾌｼﾞﾃﾞﾝｺｳ"}, {"緑川造園", "ﾐﾄﾞﾘｶﾜｿﾞｳｴﾝ"},
}};

struct Address {
    int post;
    const char* area;   // prefecture, city and town as one line
    const char* office; // transport office of the plates
    const char* phone;  // area code
};

// Postal codes as Japan Post lists them for these towns.
constexpr std::array<Address, 24> kAddresses{{
    {1400011, "東京都品川区東大井", "品川", "03"},
    {1410031, "東京都品川区西五反田", "品川", "03"},
    {1430016, "東京都大田区大森北", "品川", "03"},
    {1520035, "東京都目黒区自由が丘", "品川", "03"},
    {1540024, "東京都世田谷区三軒茶屋", "品川", "03"},
    {1760012, "東京都練馬区豊玉北", "練馬", "03"},
    {1200034, "東京都足立区千住", "足立", "03"},
    {1350016, "東京都江東区東陽", "江東", "03"},
    {1240012, "東京都葛飾区立石", "葛飾", "03"},
    {1920083, "東京都八王子市旭町", "八王子", "042"},
    {1940013, "東京都町田市原町田", "多摩", "042"},
    {2220033, "神奈川県横浜市港北区新横浜", "横浜", "045"},
    {2110063, "神奈川県川崎市中原区小杉町", "川崎", "044"},
    {2510052, "神奈川県藤沢市藤沢", "湘南", "0466"},
    {2520231, "神奈川県相模原市中央区相模原", "相模", "042"},
    {3300854, "埼玉県さいたま市大宮区桜木町", "大宮", "048"},
    {3591123, "埼玉県所沢市日吉町", "所沢", "04"},
    {3501122, "埼玉県川越市脇田町", "川越", "049"},
    {3600037, "埼玉県熊谷市筑波", "熊谷", "048"},
    {2600015, "千葉県千葉市中央区富士見", "千葉", "043"},
    {2730005, "千葉県船橋市本町", "習志野", "047"},
    {2770005, "千葉県柏市柏", "柏", "04"},
    {2780035, "千葉県野田市中野台", "野田", "04"},
    {2920831, "千葉県木更津市富士見", "袖ヶ浦", "0438"},
}};

constexpr std::array<const char*, 6> kBuildings{
    "コーポ青葉", "サンハイツ", "メゾン桜", "グリーン荘", "パレス東", "ハイム松",
};

constexpr std::array<const char*, 6> kCustomerRemarks{
    "代車希望", "土曜午前の来店が多い", "請求書は月末締め", "連絡は携帯へ", "ＤＭ不要", "車検は毎回当店",
};

constexpr std::array<const char*, 5> kVehicleRemarks{
    "スタッドレスタイヤ預かり", "ドラレコ取付済", "社外アルミホイール", "禁煙車", "ナビ取付済",
};

// Certificate data of common models. Lists by name; indexes are looked up
// in the shop's default lists so that they follow those lists.
struct Model {
    const char* make;
    const char* model; // half-width, as the form takes it
    const char* modelCode;
    const char* engine;
    const char* chassis;
    const char* vehicleClass;
    const char* use;
    const char* shape;
    const char* fuel;
    int classNumber; // of the plate
    int seats;
    int load;        // kg
    int weight;      // kg
    int length, width, height; // cm
    int displacement;          // hundredths of a litre
    int typeNumber, category;  // 型式指定, 類別
    int firstYears, validYears; // first inspection after, then every
};

constexpr std::array<Model, 13> kModels{{
    {"トヨタ", "ﾌﾟﾘｳｽ", "DAA-ZVW50", "2ZR", "ZVW50", "普通", "乗用", "箱型", "ｶﾞｿﾘﾝ･電気", 300, 5, 0,
     1370, 454, 176, 147, 179, 18181, 1, 3, 2},
    {"トヨタ", "ｱｸｱ", "DAA-NHP10", "1NZ", "NHP10", "小型", "乗用", "箱型", "ｶﾞｿﾘﾝ･電気", 500, 5, 0, 1080,
     405, 169, 146, 149, 17150, 2, 3, 2},
    {"トヨタ", "ﾊｲｴｰｽﾊﾞﾝ", "QDF-GDH201V", "1GD", "GDH201", "小型", "貨物", "バン", "軽油", 400, 6, 1000,
     1900, 469, 169, 198, 275, 18556, 3, 2, 1},
    {"日産", "ﾉｰﾄ", "DAA-HE12", "HR12", "HE12", "小型", "乗用", "箱型", "ｶﾞｿﾘﾝ･電気", 500, 5, 0, 1220,
     410, 169, 152, 119, 19208, 4, 3, 2},
    {"日産", "ｾﾚﾅ", "DAA-GFC27", "MR20", "GFC27", "普通", "乗用", "箱型", "ガソリン", 300, 8, 0, 1650,
     477, 174, 186, 199, 18731, 5, 3, 2},
    {"ホンダ", "ﾌｨｯﾄ", "DAA-GP5", "LEB", "GP5", "小型", "乗用", "箱型", "ｶﾞｿﾘﾝ･電気", 500, 5, 0, 1170,
     399, 169, 152, 149, 17720, 6, 3, 2},
    {"ホンダ", "N-BOX", "DBA-JF3", "S07B", "JF3", "軽自動車", "乗用", "箱型", "ガソリン", 580, 4, 0, 890,
     339, 147, 179, 65, 19010, 7, 3, 2},
    {"マツダ", "ﾃﾞﾐｵ", "LDA-DJ5FS", "S5", "DJ5FS", "小型", "乗用", "箱型", "軽油", 500, 5, 0, 1130, 406,
     169, 150, 149, 17111, 8, 3, 2},
    {"スバル", "ｲﾝﾌﾟﾚｯｻ", "DBA-GT2", "FB16", "GT2", "普通", "乗用", "ステーションワゴン", "ガソリン",
     300, 5, 0, 1300, 446, 177, 148, 159, 18654, 9, 3, 2},
    {"スズキ", "ﾜｺﾞﾝR", "DAA-MH55S", "R06A", "MH55S", "軽自動車", "乗用", "箱型", "ガソリン", 580, 4, 0,
     790, 339, 147, 165, 65, 18901, 10, 3, 2},
    {"ダイハツ", "ﾀﾝﾄ", "DBA-LA600S", "KF", "LA600S", "軽自動車", "乗用", "箱型", "ガソリン", 580, 4,
     0, 920, 339, 147, 175, 65, 17503, 11, 3, 2},
    {"スズキ", "ｷｬﾘｲ", "EBD-DA16T", "R06A", "DA16T", "軽自動車", "貨物", "キャブオーバー", "ガソリン",
     480, 2, 350, 850, 339, 147, 176, 65, 18110, 12, 2, 2},
    {"三菱", "ﾃﾞﾘｶD:5", "LDA-CV1W", "4N14", "CV1W", "普通", "乗用", "ステーションワゴン", "軽油", 300,
     8, 0, 1880, 480, 179, 187, 226, 19024, 13, 3, 2},
}};

// Plate letters of private vehicles.
constexpr std::array<const char*, 28> kPlateKana{
    "さ", "す", "せ", "そ", "た", "ち", "つ", "て", "と", "な", "に", "ぬ", "ね", "の",
    "は", "ひ", "ふ", "ほ", "ま", "み", "む", "め", "も", "や", "ゆ", "ら", "り", "る",
};

struct WorkItem {
    const char* text;
    const char* reading;
    const char* category; // name in the line categories
    int unitPrice;        // parts price, 0 for work
    int labourTenths;     // 指数 × 10, 0 for parts
    int quantityTenths;   // 数量 × 10 on a slip
};

constexpr std::array<WorkItem, 24> kItems{{
    {"車検整備一式", "ｼｬｹﾝｾｲﾋﾞｲｯｼｷ", "車検", 0, 60, 10},
    {"１２ヶ月点検", "ｼﾞｭｳﾆｶｹﾞﾂﾃﾝｹﾝ", "点検", 0, 30, 10},
    {"エンジンオイル交換", "ｴﾝｼﾞﾝｵｲﾙｺｳｶﾝ", "交換", 0, 3, 10},
    {"エンジンオイル", "ｴﾝｼﾞﾝｵｲﾙ", "油脂", 1100, 0, 40},
    {"オイルエレメント", "ｵｲﾙｴﾚﾒﾝﾄ", "部品", 1650, 0, 10},
    {"オイルエレメント交換", "ｵｲﾙｴﾚﾒﾝﾄｺｳｶﾝ", "交換", 0, 2, 10},
    {"ブレーキパッド", "ﾌﾞﾚｰｷﾊﾟｯﾄﾞ", "部品", 8800, 0, 10},
    {"ブレーキパッド交換", "ﾌﾞﾚｰｷﾊﾟｯﾄﾞｺｳｶﾝ", "交換", 0, 10, 10},
    {"ブレーキフルード", "ﾌﾞﾚｰｷﾌﾙｰﾄﾞ", "油脂", 1320, 0, 10},
    {"ワイパーブレード", "ﾜｲﾊﾟｰﾌﾞﾚｰﾄﾞ", "部品", 1980, 0, 20},
    {"バッテリー", "ﾊﾞｯﾃﾘｰ", "電装", 14800, 0, 10},
    {"バッテリー交換", "ﾊﾞｯﾃﾘｰｺｳｶﾝ", "電装", 0, 3, 10},
    {"ロングライフクーラント", "ﾛﾝｸﾞﾗｲﾌｸｰﾗﾝﾄ", "油脂", 880, 0, 20},
    {"タイヤ", "ﾀｲﾔ", "ﾀｲﾔ", 12000, 0, 40},
    {"タイヤ脱着", "ﾀｲﾔﾀﾞｯﾁｬｸ", "脱着", 0, 5, 10},
    {"ホイールバランス調整", "ﾎｲｰﾙﾊﾞﾗﾝｽﾁｮｳｾｲ", "調整", 0, 4, 10},
    {"エアコンフィルター", "ｴｱｺﾝﾌｨﾙﾀｰ", "部品", 3300, 0, 10},
    {"スパークプラグ", "ｽﾊﾟｰｸﾌﾟﾗｸﾞ", "部品", 1210, 0, 40},
    {"下回り洗浄", "ｼﾀﾏﾜﾘｾﾝｼﾞｮｳ", "洗車", 0, 5, 10},
    {"洗車", "ｾﾝｼｬ", "洗車", 0, 3, 10},
    {"バンパー鈑金", "ﾊﾞﾝﾊﾟｰﾊﾞﾝｷﾝ", "鈑金", 0, 30, 10},
    {"バンパー塗装", "ﾊﾞﾝﾊﾟｰﾄｿｳ", "塗装", 0, 25, 10},
    {"ヘッドライト光軸調整", "ﾍｯﾄﾞﾗｲﾄｺｳｼﾞｸﾁｮｳｾｲ", "調整", 0, 3, 10},
    {"ファンベルト", "ﾌｧﾝﾍﾞﾙﾄ", "部品", 2750, 0, 10},
}};

constexpr int kBodyWorkCategoryFirst = 15; // 鈑金 and 塗装 take the body-work rate
constexpr int kBodyWorkCategoryLast = 16;
constexpr int kPartsDiscountPercentMax = 10;
constexpr int kAgencyFee = 11000;
constexpr int kStampFee = 1800;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

int indexIn(const SettingsList& list, const char* name)
{
    const int index = int(list.entries().indexOf(text(name)));
    return index < 0 ? 0 : index;
}

int categoryIndex(const char* name)
{
    static const CategoryNames categories = DefaultSettings::categories();
    for (int i = 0; i < CategoryNames::kCount; ++i) {
        if (categories.names[size_t(i)] == text(name))
            return i;
    }
    return 0;
}

// Two-year weight tax of a passenger vehicle, 4,100 yen per half tonne;
// light vehicles pay a flat 6,600.
int weightTax(const Model& model)
{
    if (QByteArrayView(model.vehicleClass) == QByteArrayView("軽自動車"))
        return 6600;
    return (model.weight + 499) / 500 * 4100 * model.validYears / 2;
}

int compulsoryInsurance(const Model& model)
{
    if (QByteArrayView(model.vehicleClass) == QByteArrayView("軽自動車"))
        return 17540;
    return model.validYears == 1 ? 12010 : 17650;
}

QString fullWidthNumber(int value)
{
    QString digits = QString::number(value);
    for (QChar& c : digits)
        c = QChar(c.unicode() - u'0' + u'０');
    return digits;
}

} // namespace

SampleRecordMaker::SampleRecordMaker(std::uint64_t seed, QDate referenceDate)
    : m_random(seed), m_today(referenceDate)
{
}

int SampleRecordMaker::addressCount()
{
    return int(kAddresses.size());
}

int SampleRecordMaker::itemCount()
{
    return int(kItems.size());
}

int SampleRecordMaker::modelCount()
{
    return int(kModels.size());
}

int SampleRecordMaker::uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

bool SampleRecordMaker::chance(int percent)
{
    return uniform(1, 100) <= percent;
}

QString SampleRecordMaker::telephone(int address)
{
    // Ten digits in all; the exchange takes what the area code leaves.
    const QString area = text(kAddresses[size_t(address)].phone);
    const int exchangeDigits = 6 - int(area.size());
    const int exchangeLow = exchangeDigits == 4 ? 2000 : exchangeDigits == 3 ? 200 : 20;
    const int exchangeHigh = exchangeDigits == 4 ? 7999 : exchangeDigits == 3 ? 799 : 79;
    return QStringLiteral("%1-%2-%3")
        .arg(area)
        .arg(uniform(exchangeLow, exchangeHigh))
        .arg(uniform(0, 9999), 4, 10, QLatin1Char('0'));
}

QString SampleRecordMaker::mobile()
{
    static const char* const prefixes[] = {"090", "080", "070"};
    return QStringLiteral("%1-%2-%3")
        .arg(text(prefixes[uniform(0, 2)]))
        .arg(uniform(1000, 9999))
        .arg(uniform(0, 9999), 4, 10, QLatin1Char('0'));
}

QString SampleRecordMaker::street()
{
    if (chance(70)) {
        return QStringLiteral("%1丁目%2番%3号")
            .arg(fullWidthNumber(uniform(1, 5)), fullWidthNumber(uniform(1, 30)),
                 fullWidthNumber(uniform(1, 20)));
    }
    return QStringLiteral("%1－%2－%3　%4%5")
        .arg(fullWidthNumber(uniform(1, 5)), fullWidthNumber(uniform(1, 30)),
             fullWidthNumber(uniform(1, 20)), text(kBuildings[size_t(uniform(0, int(kBuildings.size()) - 1))]),
             fullWidthNumber(uniform(1, 3) * 100 + uniform(1, 8)));
}

int SampleRecordMaker::customer(CDaoKokSet& r, int code, int vehicleCount, int referrerLimit)
{
    const int address = uniform(0, int(kAddresses.size()) - 1);
    const Address& where = kAddresses[size_t(address)];
    const bool firm = chance(12);
    r.m_KokCode = code;
    if (firm) {
        const NameAndReading& name = kFirms[size_t(uniform(0, int(kFirms.size()) - 1))];
        r.m_OwnerName1 = (chance(60) ? text("株式会社") : text("有限会社")) + text(name.name);
        r.m_Furi = text(name.reading);
        r.m_Sama = 3; // 御中
    } else {
        const NameAndReading& surname = kSurnames[size_t(uniform(0, int(kSurnames.size()) - 1))];
        const NameAndReading& given = kGivenNames[size_t(uniform(0, int(kGivenNames.size()) - 1))];
        r.m_OwnerName1 = text(surname.name) + QChar(0x3000) + text(given.name);
        r.m_Furi = text(surname.reading) + QLatin1Char(' ') + text(given.reading);
        r.m_Sama = 1; // 様
    }
    r.m_OwnerName2.clear();
    r.m_Post = where.post;
    r.m_OwnerJyu1 = text(where.area);
    r.m_OwnerJyu2 = street();
    r.m_Tel1 = telephone(address);
    r.m_Tel2 = firm || chance(50) ? mobile() : QString();
    r.m_UserName1 = r.m_OwnerName1;
    r.m_UserName2.clear();
    r.m_UserJyu1 = r.m_OwnerJyu1;
    r.m_UserJyu2 = r.m_OwnerJyu2;
    r.m_UseBase1 = r.m_OwnerJyu1;
    r.m_UseBase2 = r.m_OwnerJyu2;
    r.m_Burth = firm ? kEmptyDate
                     : toDayNumber(QDate(uniform(1945, 2004), uniform(1, 12), uniform(1, 28)));
    // Firms are billed on a closing day, private customers pay at delivery.
    r.m_Shime1 = firm ? (chance(50) ? 20 : 31) : 0;
    r.m_Shime2 = 0;
    r.m_Shime3 = 0;
    r.m_Shime4 = 0;
    r.m_KokBiko1 = chance(15) ? text(kCustomerRemarks[size_t(uniform(0, int(kCustomerRemarks.size()) - 1))])
                              : QString();
    r.m_KokBiko2.clear();
    r.m_Syochuu = chance(30) ? 1 : 0;
    r.m_Nenga = chance(70) ? 1 : 0;
    r.m_Chuugen = firm && chance(30) ? 1 : 0;
    r.m_Seibo = firm && chance(40) ? 1 : 0;
    r.m_SyoukaiKokCode = referrerLimit > 1 && chance(5) ? uniform(1, referrerLimit - 1) : 0;
    r.m_Hoyu = vehicleCount;
    return address;
}

void SampleRecordMaker::vehicle(CDaoCarSet& r, int code, int customer, int address)
{
    static const SettingsList classes = DefaultSettings::vehicleClasses();
    static const SettingsList uses = DefaultSettings::vehicleUses();
    static const SettingsList shapes = DefaultSettings::bodyShapes();
    static const SettingsList makes = DefaultSettings::makes();
    static const SettingsList fuels = DefaultSettings::fuels();

    const Model& m = kModels[size_t(uniform(0, int(kModels.size()) - 1))];
    r.m_CarCode = code;
    r.m_KokCode = customer;
    r.m_Rikuji = text(kAddresses[size_t(address)].office);
    r.m_Rno = m.classNumber / 100 * 100 + (chance(30) ? uniform(0, 99) : m.classNumber % 100);
    r.m_Kana = text(kPlateKana[size_t(uniform(0, int(kPlateKana.size()) - 1))]);
    r.m_Preno = uniform(1, 9999);

    // First registered up to fifteen years ago; a used car was registered
    // to its owner later. The inspection falls due every validYears after
    // the first one, and the next one lies ahead or just passed.
    const QDate firstRegistered(m_today.year() - uniform(1, 15), uniform(1, 12), 1);
    QDate registered = firstRegistered.addDays(uniform(0, 27));
    if (chance(30))
        registered = registered.addDays(uniform(365, 2000));
    if (registered > m_today)
        registered = m_today.addDays(-uniform(30, 300));
    QDate expiry = registered.addYears(m.firstYears).addDays(-1);
    while (expiry < m_today.addDays(-60))
        expiry = expiry.addYears(m.validYears);

    r.m_Tounen = toDayNumber(registered);
    r.m_Syonen = toDayNumber(firstRegistered);
    r.m_Syubetu = indexIn(classes, m.vehicleClass);
    r.m_Youto = indexIn(uses, m.use);
    r.m_Jiei = 1; // 自家用
    r.m_Keijyo = indexIn(shapes, m.shape);
    r.m_Syamei = indexIn(makes, m.make);
    r.m_Syasyu = text(m.model);
    r.m_Katasiki = text(m.modelCode);
    r.m_Teiin = m.seats;
    r.m_Teiin2 = m.load > 0 ? 2 : 0;
    r.m_Sekisai = m.load;
    r.m_Sekisai2 = m.load > 0 ? m.load + 250 : 0;
    r.m_Jyuryo = m.weight;
    r.m_SouJyuryo = m.weight + m.seats * 55 + m.load;
    r.m_SouJyuryo2 = m.load > 0 ? m.weight + 2 * 55 + r.m_Sekisai2 : 0;
    r.m_Syatai = QStringLiteral("%1-%2").arg(text(m.chassis)).arg(uniform(1000000, 9999999));
    r.m_Gendoki = text(m.engine);
    r.m_Nagasa = m.length;
    r.m_Haba = m.width;
    r.m_Takasa = m.height;
    r.m_Haikiryo = m.displacement;
    r.m_Nenryo = indexIn(fuels, m.fuel);
    r.m_Kata = m.typeNumber;
    r.m_Rui = m.category;
    r.m_Syaman = toDayNumber(expiry);
    r.m_Yuko = m.validYears;
    r.m_Homan = chance(85) ? toDayNumber(m_today.addDays(uniform(1, 365))) : kEmptyDate;
    r.m_Jibai = compulsoryInsurance(m);
    r.m_JyuZei = weightTax(m);
    r.m_Insi = kStampFee;
    r.m_Daiko = 0;
    r.m_CarBiko1 = chance(10) ? text(kVehicleRemarks[size_t(uniform(0, int(kVehicleRemarks.size()) - 1))])
                              : QString();
    r.m_CarBiko2.clear();
    const int front = int(std::lround(m.weight * 0.58));
    r.m_ZenZen = front;
    r.m_ZenKou = 0;
    r.m_KouZen = m.weight - front;
    r.m_KouKou = 0;
}

void SampleRecordMaker::model(CDaoSyasyuSet& r, int index)
{
    static const SettingsList makes = DefaultSettings::makes();
    const Model& m = kModels[size_t(index)];
    r.m_ID = 0;
    r.m_SyameiNo = indexIn(makes, m.make);
    r.m_Syasyu = text(m.model);
}

void SampleRecordMaker::item(CDaoMeisaiSet& r, int code, int index)
{
    const WorkItem& w = kItems[size_t(index)];
    r.m_MeisaiCode = code;
    r.m_Meisai = text(w.text);
    r.m_Furi = text(w.reading);
    r.m_Kubun = categoryIndex(w.category);
    r.m_Tanka = w.unitPrice;
}

int SampleRecordMaker::slipJobCategory()
{
    const int roll = uniform(1, 100);
    if (roll <= 25)
        return Inspection;
    if (roll <= 40)
        return YearCheck;
    if (roll <= 80)
        return GeneralRepair;
    if (roll <= 90)
        return BodyAndPaint;
    return PartsSale;
}

void SampleRecordMaker::slipLine(CDaoSyaJnlSet& r, int slipNo, int lineNo, int jobCategory, SlipTotals& totals)
{
    static const ShopDetails shop = DefaultSettings::shop();
    // The first line names the job; the rest are the usual work and parts.
    int index = uniform(2, int(kItems.size()) - 1);
    if (lineNo == 0 && jobCategory == Inspection)
        index = 0;
    else if (lineNo == 0 && jobCategory == YearCheck)
        index = 1;
    const WorkItem& w = kItems[size_t(index)];
    const int category = categoryIndex(w.category);
    const bool bodyWork = category >= kBodyWorkCategoryFirst && category <= kBodyWorkCategoryLast;
    const int rate = bodyWork ? shop.bodyWorkRate : shop.labourRate;

    r.m_JnlNo = 0;
    r.m_DenNo = slipNo;
    r.m_LineNo = lineNo;
    r.m_Meisai = text(w.text);
    r.m_Kubun = category;
    r.m_Sisu = w.labourTenths;
    r.m_Suuryo = w.quantityTenths;
    r.m_Tanka = w.unitPrice;
    r.m_Kingaku = w.quantityTenths * w.unitPrice / 10;
    r.m_Koutin = w.labourTenths * rate / 10;
    r.m_Photo.clear();
    totals.partsLines += r.m_Kingaku;
    totals.labourLines += r.m_Koutin;
}

void SampleRecordMaker::slipHeader(CDaoSyaHeadSet& r, int slipNo, int vehicle, int billedCustomer,
                                   int jobCategory, QDate issueDate, const SlipTotals& totals)
{
    static const ShopDetails shop = DefaultSettings::shop();
    static const RoundingSettings rounding = DefaultSettings::rounding();
    const bool inspection = jobCategory == Inspection;
    const int roll = uniform(1, 100);
    r.m_DenNo = slipNo;
    r.m_CarCode = vehicle;
    r.m_SeiKokCode = billedCustomer;
    r.m_DenKind = roll <= 80 ? 0 : roll <= 87 ? 1 : roll <= 90 ? 2 : 3;
    r.m_HatuDate = toDayNumber(issueDate);
    r.m_NyuukoKbnCode = jobCategory;
    r.m_Km = uniform(3000, 150000);
    r.m_Syaman = inspection ? toDayNumber(issueDate.addYears(2)) : kEmptyDate;
    r.m_NyuDate = toDayNumber(issueDate.addDays(-uniform(0, 3)));
    r.m_NouDate = r.m_HatuDate;
    r.m_KouLeba = shop.labourRate;
    r.m_BanLeba = shop.bodyWorkRate;
    r.m_BuhiMeiTot = totals.partsLines;
    r.m_BuhiNebiPer = chance(10) ? uniform(1, kPartsDiscountPercentMax) : 0;
    r.m_BuhiNebi = totals.partsLines * r.m_BuhiNebiPer / 100;
    r.m_BuhiTot = r.m_BuhiMeiTot - r.m_BuhiNebi;
    r.m_KouMeiTot = totals.labourLines;
    r.m_KouNebi = 0;
    r.m_KouNebiPer = 0;
    r.m_KouTot = r.m_KouMeiTot;
    r.m_BuhiKouTot = r.m_BuhiTot + r.m_KouTot;
    // Fractions cut off, as the default rounding says.
    r.m_BuhiKouZei = int(std::floor(r.m_BuhiKouTot * rounding.taxRate));
    r.m_Jibai = inspection ? 17650 : 0;
    r.m_JyuZei = inspection ? 16400 : 0;
    r.m_Insi = inspection ? kStampFee : 0;
    r.m_DaikoZeiFlag = inspection ? 1 : 0;
    r.m_Daiko = inspection ? kAgencyFee : 0;
    r.m_SyoName5.clear();
    r.m_Syo5ZeiFlag = 0;
    r.m_Syo5 = 0;
    r.m_SyoName6.clear();
    r.m_Syo6ZeiFlag = 0;
    r.m_Syo6 = 0;
    r.m_SyoTot = r.m_Jibai + r.m_JyuZei + r.m_Insi + r.m_Daiko;
    r.m_SyoZei = int(std::floor(r.m_Daiko * rounding.taxRate));
    r.m_Tot = r.m_BuhiKouTot + r.m_BuhiKouZei + r.m_SyoTot + r.m_SyoZei;
    r.m_Azu = 0;
    r.m_Seikyu = r.m_Tot - r.m_Azu;
    r.m_PrintFlag = r.m_DenKind == 0 ? 1 : 0;
}

void SampleRecordMaker::clearLedgerRow(CDaoToriJnlSet& r, int customer, QDate date)
{
    r.m_ID = 0;
    r.m_KokCode = customer;
    r.m_Date = toDayNumber(date, QTime(uniform(9, 17), uniform(0, 59), uniform(0, 59)));
    r.m_DenFlag = 0;
    r.m_DenNo = 0;
    r.m_NyuukoKbnCode = 0;
    r.m_CarCode = 0;
    r.m_Rikuji.clear();
    r.m_Rno = 0;
    r.m_Kana.clear();
    r.m_Preno = 0;
    r.m_ToriKbn = 0;
    r.m_Buhin = r.m_Koutin = r.m_Sonota = r.m_Zei = 0;
    r.m_HikaSyohi = r.m_KaSyohi = r.m_SyoZei = r.m_Tot = 0;
    r.m_Nyu = r.m_NyuCho = r.m_GTot = 0;
    r.m_Tekiyo.clear();
}

void SampleRecordMaker::postedSale(CDaoToriJnlSet& r, const CDaoSyaHeadSet& slip, const Plate& plate)
{
    clearLedgerRow(r, slip.m_SeiKokCode, fromDayNumber(slip.m_HatuDate).date());
    r.m_DenFlag = 1;
    r.m_DenNo = slip.m_DenNo;
    r.m_NyuukoKbnCode = slip.m_NyuukoKbnCode;
    r.m_CarCode = slip.m_CarCode;
    r.m_Rikuji = plate.rikuji;
    r.m_Rno = plate.rno;
    r.m_Kana = plate.kana;
    r.m_Preno = plate.preno;
    r.m_ToriKbn = slip.m_Azu == 0 ? 1 : 0;
    r.m_Buhin = slip.m_BuhiTot;
    r.m_Koutin = slip.m_KouTot;
    r.m_Zei = slip.m_BuhiKouZei;
    // Agency fee and the two further costs count as taxable where ticked.
    const int daiko = slip.m_DaikoZeiFlag ? 0 : slip.m_Daiko;
    const int syo5 = slip.m_Syo5ZeiFlag ? 0 : slip.m_Syo5;
    const int syo6 = slip.m_Syo6ZeiFlag ? 0 : slip.m_Syo6;
    r.m_HikaSyohi = slip.m_Jibai + slip.m_JyuZei + slip.m_Insi + daiko + syo5 + syo6;
    r.m_KaSyohi = (slip.m_Daiko - daiko) + (slip.m_Syo5 - syo5) + (slip.m_Syo6 - syo6);
    r.m_SyoZei = slip.m_SyoZei;
    r.m_Tot = slip.m_Tot;
    r.m_Nyu = slip.m_Azu;
    r.m_GTot = slip.m_Seikyu;
}

int SampleRecordMaker::typedSaleJobCategory()
{
    const int roll = uniform(1, 100);
    if (roll <= 35)
        return GeneralRepair;
    if (roll <= 50)
        return PartsSale;
    if (roll <= 65)
        return HalfYearCheck;
    if (roll <= 75)
        return BodyAndPaint;
    if (roll <= 85)
        return OtherJob;
    if (roll <= 92)
        return Insurance;
    return VehicleSale;
}

void SampleRecordMaker::typedSale(CDaoToriJnlSet& r, int customer, QDate date, int jobCategory)
{
    static const RoundingSettings rounding = DefaultSettings::rounding();
    clearLedgerRow(r, customer, date);
    r.m_NyuukoKbnCode = jobCategory;
    const bool vehicleSale = jobCategory == VehicleSale;
    r.m_Buhin = vehicleSale ? uniform(300, 3000) * 1000 : uniform(0, 400) * 100;
    r.m_Koutin = vehicleSale ? 0 : uniform(0, 300) * 100;
    r.m_Sonota = chance(20) ? uniform(1, 50) * 100 : 0;
    if (r.m_Buhin + r.m_Koutin + r.m_Sonota == 0)
        r.m_Koutin = 3000;
    r.m_Zei = int(std::floor((r.m_Buhin + r.m_Koutin + r.m_Sonota) * rounding.taxRate));
    r.m_Tot = r.m_Buhin + r.m_Koutin + r.m_Sonota + r.m_Zei;
    const bool paidAtOnce = chance(33);
    r.m_ToriKbn = paidAtOnce ? 0 : 1;
    r.m_Nyu = paidAtOnce ? r.m_Tot : 0;
    r.m_GTot = r.m_Tot - r.m_Nyu;
}

void SampleRecordMaker::payment(CDaoToriJnlSet& r, int customer, QDate date, int amount)
{
    clearLedgerRow(r, customer, date);
    r.m_NyuukoKbnCode = Payment;
    r.m_ToriKbn = 2;
    r.m_Nyu = amount;
    r.m_GTot = -amount;
}

} // namespace kv::data
