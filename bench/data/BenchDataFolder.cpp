#include "BenchDataFolder.h"

#include "data/engine/DayNumber.h"
#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <random>

namespace kv::bench {

namespace {

const char* const kFamilyNames[] = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村",
                                    "小林", "加藤", "吉田", "山田", "佐々木", "山口", "松本", "井上"};
const char* const kFamilyReadings[] = {"ｻﾄｳ", "ｽｽﾞｷ", "ﾀｶﾊｼ", "ﾀﾅｶ", "ｲﾄｳ", "ﾜﾀﾅﾍﾞ", "ﾔﾏﾓﾄ", "ﾅｶﾑﾗ",
                                       "ｺﾊﾞﾔｼ", "ｶﾄｳ", "ﾖｼﾀﾞ", "ﾔﾏﾀﾞ", "ｻｻｷ", "ﾔﾏｸﾞﾁ", "ﾏﾂﾓﾄ", "ｲﾉｳｴ"};
const char* const kGivenNames[] = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "翔", "愛"};
const char* const kGivenReadings[] = {"ﾀﾛｳ", "ﾊﾅｺ", "ｲﾁﾛｳ", "ﾐｻｷ", "ｹﾝﾀ", "ﾖｳｺ", "ｼｮｳ", "ｱｲ"};
const char* const kTowns[] = {"東京都千代田区丸の内", "大阪府大阪市北区梅田", "愛知県名古屋市中区栄",
                              "福岡県福岡市博多区", "北海道札幌市中央区", "神奈川県横浜市西区"};
const char* const kModels[] = {"ﾌﾟﾘｳｽ", "ｱｸｱ", "ﾌｨｯﾄ", "ﾉｰﾄ", "ｾﾚﾅ", "ﾀﾝﾄ", "ﾜｺﾞﾝR", "ｸﾗｳﾝ"};
const char* const kItems[] = {"エンジンオイル交換", "オイルエレメント", "ワイパーブレード", "ブレーキパッド",
                              "タイヤローテーション", "バッテリー", "車検整備一式", "エアコンフィルター"};

void check(bool ok, kv::data::Connection& connection)
{
    if (!ok) {
        std::fprintf(stderr, "bench data: %s\n", connection.lastError().description.toUtf8().constData());
        std::abort();
    }
}

void bindText(sqlite3_stmt* statement, int index, const QByteArray& text)
{
    sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void stepAndReset(sqlite3_stmt* statement)
{
    if (sqlite3_step(statement) != SQLITE_DONE)
        std::abort();
    sqlite3_reset(statement);
}

void fill(const QString& folder, const BenchSizes& sizes)
{
    using namespace kv::data;
    EngineError error;
    if (!createDataFolderDatabases(folder, &error)) {
        std::fprintf(stderr, "bench data: %s\n", error.description.toUtf8().constData());
        std::abort();
    }
    DataStore store;
    Connection& c = store.mainConnection();
    check(store.open(folder), c);
    // Nothing of this needs to survive a crash: build it quickly.
    for (const char* schema : {"f009", "f010", "f002", "f003", "f013"})
        check(c.execute(QByteArray("PRAGMA ") + schema + ".synchronous = OFF"), c);
    std::mt19937 random(932u);
    auto pick = [&random](auto& list) { return list[random() % std::size(list)]; };
    const double firstDay = toDayNumber(QDate(2015, 1, 1));

    check(c.begin(), c);
    sqlite3_stmt* kok = c.prepareCached(
        "INSERT INTO f010.Kok (KokCode, OwnerName1, Furi, Post, OwnerJyu1, Tel1, UserName1, Burth,"
        " Shime1, Hoyu) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int code = 1; code <= sizes.customers; ++code) {
        const auto family = random() % std::size(kFamilyNames);
        const auto given = random() % std::size(kGivenNames);
        const QByteArray name = QByteArray(kFamilyNames[family]) + " " + kGivenNames[given];
        sqlite3_bind_int(kok, 1, code);
        bindText(kok, 2, name);
        bindText(kok, 3, QByteArray(kFamilyReadings[family]) + " " + kGivenReadings[given]);
        sqlite3_bind_int(kok, 4, int(1000000 + random() % 8999999));
        bindText(kok, 5, QByteArray(pick(kTowns)) + QByteArray::number(int(random() % 9 + 1)) + "-"
                             + QByteArray::number(int(random() % 30 + 1)));
        bindText(kok, 6, "0" + QByteArray::number(int(random() % 90 + 10)) + "-"
                             + QByteArray::number(int(random() % 9000 + 1000)) + "-"
                             + QByteArray::number(int(random() % 9000 + 1000)));
        bindText(kok, 7, name);
        sqlite3_bind_double(kok, 8, toDayNumber(QDate(1940, 1, 1)) + double(random() % 25000));
        sqlite3_bind_int(kok, 9, int(random() % 4 == 0 ? 20 : 0));
        sqlite3_bind_int(kok, 10, 2);
        stepAndReset(kok);
    }
    sqlite3_stmt* car = c.prepareCached(
        "INSERT INTO f009.Car (CarCode, KokCode, Rikuji, Rno, Kana, Preno, Syonen, Syamei, Syasyu,"
        " Syatai, Syaman, Homan) VALUES (?, ?, '品川', 500, 'あ', ?, ?, ?, ?, ?, ?, ?)");
    for (int code = 1; code <= sizes.vehicles; ++code) {
        sqlite3_bind_int(car, 1, code);
        sqlite3_bind_int(car, 2, int((code - 1) % sizes.customers + 1));
        sqlite3_bind_int(car, 3, int(random() % 9999 + 1));
        sqlite3_bind_double(car, 4, firstDay - double(random() % 3000));
        sqlite3_bind_int(car, 5, int(random() % 30 + 1));
        bindText(car, 6, pick(kModels));
        bindText(car, 7, "ABC-" + QByteArray::number(code));
        sqlite3_bind_double(car, 8, firstDay + double(random() % 4000));
        sqlite3_bind_double(car, 9, firstDay + double(random() % 4000));
        stepAndReset(car);
    }
    sqlite3_stmt* head = c.prepareCached(
        "INSERT INTO f003.Syahead (DenNo, CarCode, SeiKokCode, DenKind, HatuDate, NyuukoKbnCode, Tot)"
        " VALUES (?, ?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* ledger = c.prepareCached(
        "INSERT INTO f013.ToriJnl (KokCode, Date, DenFlag, DenNo, NyuukoKbnCode, CarCode, ToriKbn, Tot,"
        " Tekiyo) VALUES (?, ?, 1, ?, ?, ?, 1, ?, '整備代金')");
    for (int slip = 1; slip <= sizes.slips; ++slip) {
        const int vehicle = int(random() % quint32(sizes.vehicles) + 1);
        const int customer = (vehicle - 1) % sizes.customers + 1;
        const double date = firstDay + double(random() % 3650) + 0.5;
        const int total = int(random() % 200000);
        sqlite3_bind_int(head, 1, slip);
        sqlite3_bind_int(head, 2, vehicle);
        sqlite3_bind_int(head, 3, customer);
        sqlite3_bind_int(head, 4, int(random() % 4));
        sqlite3_bind_double(head, 5, date);
        sqlite3_bind_int(head, 6, int(random() % 10 + 1));
        sqlite3_bind_int(head, 7, total);
        stepAndReset(head);
        sqlite3_bind_int(ledger, 1, customer);
        sqlite3_bind_double(ledger, 2, date);
        sqlite3_bind_int(ledger, 3, slip);
        sqlite3_bind_int(ledger, 4, int(random() % 10 + 1));
        sqlite3_bind_int(ledger, 5, vehicle);
        sqlite3_bind_int(ledger, 6, total);
        stepAndReset(ledger);
    }
    sqlite3_stmt* line = c.prepareCached(
        "INSERT INTO f002.SyaJnl (DenNo, LineNo, Meisai, Kubun, Suuryo, Tanka, Kingaku)"
        " VALUES (?, ?, ?, ?, 10, ?, ?)");
    for (int i = 0; i < sizes.slipLines; ++i) {
        const int price = int(random() % 20000);
        sqlite3_bind_int(line, 1, i % sizes.slips + 1);
        sqlite3_bind_int(line, 2, i / sizes.slips);
        bindText(line, 3, pick(kItems));
        sqlite3_bind_int(line, 4, int(random() % 19));
        sqlite3_bind_int(line, 5, price);
        sqlite3_bind_int(line, 6, price);
        stepAndReset(line);
    }
    check(c.commit(), c);
    check(c.execute("ANALYZE"), c);
}

} // namespace

QString benchDataFolder(const BenchSizes& sizes)
{
    const QString folder = QDir::tempPath()
                         + QStringLiteral("/kv-bench-data-%1-%2-%3-%4")
                               .arg(sizes.customers).arg(sizes.vehicles).arg(sizes.slips).arg(sizes.slipLines);
    const QString done = folder + QStringLiteral("/complete");
    if (QFile::exists(done))
        return folder;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    std::fprintf(stderr, "generating %s ...\n", folder.toUtf8().constData());
    fill(folder, sizes);
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return folder;
}

} // namespace kv::bench
