// The searches' look-ups on a fresh data folder: reading ranges, kana rows,
// plates, owned vehicles, the query-by-form filters and the capacities.

#include "SearchTestFolder.h"

#include "records/search/CustomerSearch.h"
#include "records/search/QueryFormSearch.h"
#include "records/search/ReadingRange.h"
#include "records/search/SearchProfile.h"
#include "records/search/VehicleSearch.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace kv::records::search;
using kv::test::CustomerBuilder;
using kv::test::SearchTestFolder;
using kv::test::u;

namespace {

std::vector<int> codes(const RowList<CustomerRow>& list)
{
    std::vector<int> result;
    for (const auto& row : list.rows)
        result.push_back(row.code);
    return result;
}

std::vector<int> codes(const RowList<VehicleRow>& list)
{
    std::vector<int> result;
    for (const auto& row : list.rows)
        result.push_back(row.code);
    return result;
}

class SearchQueries : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isOpen());
        kv::data::DataStore& store = folder.store();
        CustomerBuilder(1).name(u("加藤")).reading(u("ｶﾄｳ")).address(u("東京都")).vehicles(1)
            .insertInto(store);
        CustomerBuilder(2).name(u("加藤")).reading(u("ｶﾄｳﾀﾛｳ")).address(u("大阪府")).vehicles(3)
            .insertInto(store);
        CustomerBuilder(3).name(u("門")).reading(u("ｶﾄﾞ")).insertInto(store);
        CustomerBuilder(4).name(u("新規作成中")).reading(u("ｶﾄｳ")).insertInto(store);
        CustomerBuilder(5).name(u("後藤")).reading(u("ｺﾞﾄｳ")).insertInto(store);
        CustomerBuilder(6).name(u("佐藤")).reading(u("ｻﾄｳ")).insertInto(store);
        CustomerBuilder(7).name(u("曽我")).reading(u("ｿｶﾞ")).insertInto(store);
        CustomerBuilder(8).name(u("名無")).insertInto(store);
        CustomerBuilder(9).name(u("ＡＢＣ商会")).reading(u("ABC")).insertInto(store);
        CustomerBuilder(10).name(u("渡辺")).reading(u("ﾜﾀﾅﾍﾞ")).insertInto(store);
        SearchTestFolder::vehicle(21, 2, 1234).model(u("ﾌﾟﾘｳｽ")).insertInto(store);
        SearchTestFolder::vehicle(22, 2, 1234).model(u("ｱｸｱ")).insertInto(store);
        SearchTestFolder::vehicle(20, 2, 1234).model(u("ﾉｰﾄ")).insertInto(store);
        SearchTestFolder::vehicle(23, 1, 88).insertInto(store);
        SearchTestFolder::vehicle(24, 0, 1234).chassis(u("新規作成中")).insertInto(store);
    }

    kv::test::SearchTestFolder folder;
    kv::test::RecordingMessageGateway messages;
};

TEST_F(SearchQueries, ReadingStartFindsItsContinuationsButNotOtherKana)
{
    CustomerSearch search(folder.store());
    const struct {
        const char* text;
        std::vector<int> codes;
    } cases[] = {
        {"ｶﾄｳ", {1, 2}},       // not ｶﾄﾞ, not the placeholder
        {"ｶﾄ", {1, 2}},        // ﾄﾞ is another kana than ﾄ
        {"ｶﾄﾞ", {3}},
        {"ｺ", {}},            // ｺﾞ is another kana
        {"ｺﾞ", {5}},
        {"", {8}},            // an empty text finds only empty readings
        {"ｶﾄｳ\"", {}},        // a quote stays part of the literal
    };
    for (const auto& c : cases) {
        const auto list = search.inReadingRange(ReadingRange::startingWith(u(c.text)), 4000, true);
        EXPECT_EQ(codes(list), c.codes) << c.text;
        EXPECT_FALSE(list.failed()) << c.text;
    }
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(SearchQueries, KanaRowsCoverEveryReadingOnce)
{
    CustomerSearch search(folder.store());
    const std::vector<std::vector<int>> expected = {
        {},           // ｱ
        {1, 2, 3, 5}, // ｶ, with ｺﾞﾄｳ
        {6, 7},       // ｻ to ｿ
        {}, {}, {}, {}, {}, {},
        {10},         // ﾜ
        {9, 8},       // outside: empty and ABC sort below ｱ... in reading order
    };
    for (int row = 0; row < ReadingRange::kKanaRows; ++row) {
        auto list = search.inReadingRange(ReadingRange::kanaRow(row), 4000, false);
        auto found = codes(list);
        auto wanted = expected[size_t(row)];
        std::sort(found.begin(), found.end());
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(found, wanted) << "row " << row;
    }
}

TEST(ReadingRangeRules, BoundsAndKeys)
{
    const auto range = ReadingRange::startingWith(u("ｶﾄｳ"));
    EXPECT_EQ(range.upper(), u("ｶﾄｳ") + QString(17, QChar(0xFF9D)));
    EXPECT_TRUE(range.contains(u("ｶﾄｳﾀﾛｳ")));
    EXPECT_FALSE(range.contains(u("ｶﾄﾞ")));
    EXPECT_TRUE(ReadingRange::startingWith(u("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅ")).upper().size() == 20);
    EXPECT_EQ(ReadingRange::kanaRowOfKey(u'1'), 0);
    EXPECT_EQ(ReadingRange::kanaRowOfKey(u'3'), 2);
    EXPECT_EQ(ReadingRange::kanaRowOfKey(u'0'), 9);
    EXPECT_EQ(ReadingRange::kanaRowOfKey(u'.'), 10);
    EXPECT_EQ(ReadingRange::kanaRowOfKey(u'a'), -1);
    EXPECT_EQ(ReadingRange::kanaRowCaptions().front(), u("ｱ(1)"));
    EXPECT_EQ(ReadingRange::kanaRowCaptions().back(), u("ﾜ(0)"));
    EXPECT_TRUE(ReadingRange::kanaRow(2).contains(u("ｿﾝﾝ")));
    EXPECT_FALSE(ReadingRange::kanaRow(2).contains(u("ﾀ")));
}

TEST_F(SearchQueries, CapacityCutsTheListAndSaysSo)
{
    CustomerSearch search(folder.store());
    const auto list = search.inReadingRange(ReadingRange::kanaRow(1), 3, false);
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_TRUE(list.truncated);
    EXPECT_EQ(list.total, 4);
    const auto whole = search.inReadingRange(ReadingRange::kanaRow(1), 4, false);
    EXPECT_FALSE(whole.truncated);
}

TEST_F(SearchQueries, PlatesAndOwnedVehiclesInVehicleCodeOrderWithoutPlaceholders)
{
    VehicleSearch search(folder.store(), {QString(), u("トヨタ")});
    const auto plates = search.withPlateNumber(1234, 6000);
    EXPECT_EQ(codes(plates), (std::vector<int>{20, 21, 22}));
    EXPECT_EQ(plates.rows.front().plate(), u("品川500あ1234"));
    EXPECT_EQ(plates.rows.front().nameAndModel(), u("トヨタ ﾉｰﾄ"));
    const VehicleRow shortPlate{23, 1, u("品川"), 5, u("あ"), 88, {}, {}};
    EXPECT_EQ(shortPlate.plate(), u("品川5あ  88"));
    EXPECT_EQ(codes(search.ofCustomer(2, 500)), (std::vector<int>{20, 21, 22}));
    EXPECT_TRUE(search.withPlateNumber(4321, 6000).rows.empty());

    CustomerSearch customers(folder.store());
    EXPECT_EQ(customers.ownedVehicleCount(2), 3);
    EXPECT_EQ(customers.ownedVehicleCount(4), std::nullopt); // placeholder
    EXPECT_EQ(customers.ownedVehicleCount(99), std::nullopt);
    EXPECT_TRUE(customers.any());
}

TEST_F(SearchQueries, QueryByForm)
{
    QueryFormSearch search(folder.store(), {});
    using J = QueryConditions::Joiner;
    using O = QueryFormSearch::Outcome;

    QueryFormValues names;
    names.setText(QStringLiteral("Furi"), u("ｶﾄｳ"));
    names.setText(QStringLiteral("UserName1"), u("佐藤"));
    auto either = search.run(names, {}, J::Or);
    ASSERT_EQ(either.outcome, O::Customers);
    EXPECT_EQ(either.list.rows.size(), 2u); // 1 and 6, not the placeholder
    EXPECT_EQ(search.run(names, {}, J::And).outcome, O::NoMatch);

    QueryFormValues wildcard;
    wildcard.setText(QStringLiteral("Furi"), u("ｶﾄ*"));
    EXPECT_EQ(search.run(wildcard, {}, J::And).list.rows.size(), 3u);

    QueryFormValues plate;
    plate.setNumber(QStringLiteral("Preno"), 1234);
    const auto vehicles = search.run(wildcard, plate, J::And);
    ASSERT_EQ(vehicles.outcome, O::Vehicles); // the placeholder vehicle has no owner
    EXPECT_EQ(vehicles.list.rows.size(), 3u);
    EXPECT_EQ(vehicles.list.rows.front().customer.code, 2);

    EXPECT_EQ(search.run({}, {}, J::And).outcome, O::NoConditions);

    const char* refusedTexts[] = {"ｶﾄｳ\" OR Furi Like \"*", "[ｶ", "ab\""};
    for (const char* text : refusedTexts) {
        QueryFormValues stray;
        stray.setText(QStringLiteral("UserJyu1"), u(text));
        const auto refused = search.run(stray, {}, J::And);
        EXPECT_EQ(refused.outcome, O::Refused) << text;
        EXPECT_EQ(refused.failedColumn, QStringLiteral("UserJyu1"));
        EXPECT_TRUE(refused.message.startsWith(u("クエリ式"))) << refused.message.toStdString();
        EXPECT_TRUE(refused.list.rows.empty());
    }
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(QueryConditionsText, ClausesInFieldOrderWithWholeDays)
{
    QueryFormValues values;
    values.setDate(QStringLiteral("Syaman"), QDate(2024, 5, 6));
    values.setNumber(QStringLiteral("Haikiryo"), 150);
    values.setText(QStringLiteral("Rikuji"), u("品川"));
    values.setNumber(QStringLiteral("Rno"), 0);
    const auto built = QueryConditions::buildVehicleFilter(values, QueryConditions::Joiner::And);
    ASSERT_TRUE(built.ok);
    EXPECT_EQ(built.filter,
              u("(Rikuji Like \"品川\" AND Haikiryo = 150 AND Syaman Between #2024/05/06 00:00:00#"
                " And #2024/05/06 23:59:59#) AND Syatai <> \"新規作成中\""));
}

TEST(SearchProfileValues, DefaultsAndRanges)
{
    kv::test::TempFolder dir;
    QSettings settings(dir.file(QStringLiteral("profile.ini")), QSettings::IniFormat);
    SearchProfile profile(&settings);
    EXPECT_EQ(profile.queryTarget(), 0);
    EXPECT_EQ(profile.placement(QStringLiteral("KokRanSearchFrame"), {10, 20}, {430, 500}),
              QRect(10, 20, 430, 500));
    profile.setKanaRow(10);
    EXPECT_EQ(profile.kanaRow(), 10);
    settings.setValue(QStringLiteral("KokRanCheckStyle/Index"), 11);
    EXPECT_EQ(profile.kanaRow(), 0);
    profile.setQueryJoiner(1);
    EXPECT_EQ(SearchProfile(&settings).queryJoiner(), 1);
}

} // namespace
