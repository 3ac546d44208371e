#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"
#include "data/tables/PostalRecordsets.h"
#include "data/tools/PostalImport.h"
#include "data/tables/Prefectures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <map>
#include <vector>

using namespace kv::data;
using kv::test::TempFolder;

namespace {

// The tables of one postal file, read through their recordsets.
struct PostalRows {
    std::map<QString, std::vector<QStringList>> byTable; // table -> rows (Post, Section1..3) in ID order
};

template <class Set>
void readTable(DataStore& store, PostalRows& rows)
{
    Set set(store.connectionFor(Set::tableDef()));
    set.SetSort(QStringLiteral("ID"));
    ASSERT_TRUE(set.Open()) << set.lastError().description.toStdString();
    std::vector<QStringList>& tableRows = rows.byTable[QString::fromLatin1(Set::tableDef().name)];
    for (; !set.IsEOF(); set.MoveNext())
        tableRows.push_back(
            {set.m_Post, set.m_Section1, set.m_Section2, set.m_Section3});
}

PostalRows readAll(const QString& programFolder)
{
    DataStore store;
    PostalRows rows;
    EXPECT_TRUE(store.openPostal(programFolder));
    EXPECT_TRUE(store.missingPostalFiles().isEmpty());
#define KV_READ_TABLE(Infix, Table, File) readTable<CDaoPost##Infix##Set>(store, rows);
    KV_POSTAL_TABLES(KV_READ_TABLE)
#undef KV_READ_TABLE
    return rows;
}

} // namespace

TEST(PostalImport, EachPrefecturesRowsGoIntoItsTableOfItsFileInCodeOrder)
{
    TempFolder temp;
    ASSERT_TRUE(temp.write(QStringLiteral("postal.tsv"),
                           "0600000\t1\t札幌市中央区\t\n"
                           "1008979\t13\t千代田区\t霞が関３丁目３－２\n"
                           "0200021\t3\t盛岡市\t中央通\r\n"
                           "\n"
                           "9500087\t15\t新潟市中央区\t東大通\n"
                           "4000031\t19\t甲府市\t丸の内\n"
                           "1000005\t13\t千代田区\t丸の内\n"
                           "9000006\t47\t那覇市\t おもろまち\n"));
    const QString programFolder = temp.file(QStringLiteral("program"));
    QString error;
    int count = 0;
    ASSERT_TRUE(PostalImport::import(programFolder, temp.file(QStringLiteral("postal.tsv")), &error, &count))
        << error.toStdString();
    EXPECT_EQ(count, 7);

    const PostalRows rows = readAll(programFolder);
    using Rows = std::vector<QStringList>;
    const std::map<QString, Rows> expected{
        {"01Hok", {{"0600000", "北海道", "札幌市中央区", ""}}},
        {"03IWa", {{"0200021", "岩手県", "盛岡市", "中央通"}}},
        {"13Tok", {{"1000005", "東京都", "千代田区", "丸の内"}, {"1008979", "東京都", "千代田区", "霞が関３丁目３－２"}}},
        {"15Nii", {{"9500087", "新潟県", "新潟市中央区", "東大通"}}},
        {"19Yam", {{"4000031", "山梨県", "甲府市", "丸の内"}}},
        {"47Oki", {{"9000006", "沖縄県", "那覇市", " おもろまち"}}},
    };
    for (const auto& [table, tableRows] : rows.byTable) {
        const auto it = expected.find(table);
        if (it == expected.end())
            EXPECT_TRUE(tableRows.empty()) << table.toStdString();
        else
            EXPECT_EQ(tableRows, it->second) << table.toStdString();
    }
    EXPECT_EQ(rows.byTable.size(), size_t(Prefectures::kCount));

    // The files as laid out: 15 beside the north in 015, 19 with Kanto in 016.
    Connection file015;
    ASSERT_TRUE(file015.open(QDir(programFolder).filePath(QStringLiteral("015.mdb")), OpenMode::ReadOnly));
    EXPECT_TRUE(file015.tableExists(QStringLiteral("main"), QStringLiteral("15Nii")));
    EXPECT_FALSE(file015.tableExists(QStringLiteral("main"), QStringLiteral("19Yam")));
}

TEST(PostalImport, PrefectureNumbersNameTheirTables)
{
    EXPECT_EQ(Prefectures::name(1), QStringLiteral("北海道"));
    EXPECT_EQ(Prefectures::name(47), QStringLiteral("沖縄県"));
    EXPECT_TRUE(Prefectures::name(0).isEmpty());
    EXPECT_TRUE(Prefectures::name(48).isEmpty());
    for (int number = 1; number <= Prefectures::kCount; ++number) {
        const TableDef* table = Prefectures::postalTable(number);
        ASSERT_NE(table, nullptr) << number;
        EXPECT_EQ(QByteArray(table->name).left(2).toInt(), number);
    }
    EXPECT_EQ(Prefectures::postalTable(48), nullptr);
}

TEST(PostalImport, MalformedDataLeavesNoPostalFile)
{
    const struct {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"three fields", "1000005\t13\t千代田区\n"},
        {"five fields", "1000005\t13\t東京都\t千代田区\t丸の内\n"},
        {"six-digit code", "100005\t13\t千代田区\t丸の内\n"},
        {"letters in the code", "10000O5\t13\t千代田区\t丸の内\n"},
        {"prefecture 48", "1000005\t48\t千代田区\t丸の内\n"},
        {"prefecture by name", "1000005\t東京都\t千代田区\t丸の内\n"},
        {"no city", "1000005\t13\t\t丸の内\n"},
        {"bad line after good ones", "1000005\t13\t千代田区\t丸の内\n9000006\t47\t那覇市\n"},
        {"nothing", "\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        ASSERT_TRUE(temp.write(QStringLiteral("postal.tsv"), c.text));
        QString error;
        EXPECT_FALSE(PostalImport::import(temp.path(), temp.file(QStringLiteral("postal.tsv")), &error));
        EXPECT_FALSE(error.isEmpty());
        for (const QString& name : postalFileNames())
            EXPECT_FALSE(QFileInfo::exists(temp.file(name))) << name.toStdString();
    }
}

TEST(PostalImport, ExistingPostalFileIsRefusedAndKept)
{
    TempFolder temp;
    ASSERT_TRUE(temp.write(QStringLiteral("postal.tsv"), "1000005\t13\t千代田区\t丸の内\n"));
    ASSERT_TRUE(temp.write(QStringLiteral("017.mdb"), "the shop's own"));
    QString error;
    EXPECT_FALSE(PostalImport::import(temp.path(), temp.file(QStringLiteral("postal.tsv")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(temp.read(QStringLiteral("017.mdb")), QByteArray("the shop's own"));
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("015.mdb"))));
}
