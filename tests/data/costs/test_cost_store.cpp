// The cost tables stored in a data folder, and the CSV import's refusals:
// a refused table leaves the stored rows as they were.

#include "../EngineTestFolder.h"

#include "common/Cp932.h"
#include "data/costs/CostCsv.h"
#include "data/costs/CostStore.h"

using namespace kv::data;

namespace {

struct CostFolder : kv::test::EngineTestFolder {
    CostStore costs{connection};
    CostFolder() { EXPECT_EQ(costs.ensureTables(), QString()); }
    size_t count() { return costs.rows().value_or(std::vector<CostRow>{}).size(); }
};

const QString kHeading = CostCsv::heading() + u'\n';

} // namespace

TEST(CostStore, aNewFolderGetsTheShippedRowsOnce)
{
    CostFolder f;
    const size_t shipped = CostStore::shippedRows().size();
    EXPECT_GT(shipped, 60u);
    EXPECT_EQ(f.count(), shipped);
    EXPECT_EQ(f.costs.ensureTables(), QString());
    EXPECT_EQ(f.count(), shipped);
    EXPECT_EQ(f.costs.settings(), CostSettings{});
}

TEST(CostStore, importAddsEveryRowOrNone)
{
    CostFolder f;
    const size_t before = f.count();
    const QString good = kHeading
        + QStringLiteral("自賠責,2026-04-01,本土,,小型,25,,,,,19000\n"
                         "検査手数料,2026/04/01,,持込,軽,,,,,,2300\n");
    // CP932 as a shop's spreadsheet writes it.
    const CostCsv::Result read = CostCsv::read(kv::cp932::encode(good));
    ASSERT_EQ(read.refusal, QString());
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[1].from, QDate(2026, 4, 1));
    EXPECT_EQ(f.costs.import(read.rows), QString());
    EXPECT_EQ(f.count(), before + 2);

    // The same start again overlaps what is stored now: nothing of it lands.
    const QString again = kHeading
        + QStringLiteral("自賠責,2026-05-01,本土,,普通,25,,,,,19000\n"
                         "自賠責,2026-04-01,本土,,小型,25,,,,,19500\n");
    const CostCsv::Result second = CostCsv::read(again.toUtf8());
    ASSERT_EQ(second.refusal, QString());
    EXPECT_TRUE(f.costs.import(second.rows).contains(QStringLiteral("重複")));
    EXPECT_EQ(f.count(), before + 2);
}

TEST(CostStore, badLinesAreRefusedWithTheirLine)
{
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"自賠責,2026-04-01,本土,,小型,25,,,,,-1", "2行目: 金額に負の値は入力できません！"},
        {"自賠責,2026-04-01,本土,,大型,25,,,,,100", "2行目: 区分「大型」は不明です！"},
        {"自賠責,2026-04-01,火星,,小型,25,,,,,100", "2行目: 地域「火星」は不明です！"},
        {"自賠責,2026-13-01,本土,,小型,25,,,,,100", "2行目: 適用開始日「2026-13-01」が異常です！"},
        {"重量税,2026-04-01,,,小型,,1500,13,1,2,100", "2行目: エコの行の経年は0です！"},
        {"印紙,2026-04-01,,,小型,,,,,,100", "2行目: 表「印紙」は不明です！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CostCsv::Result r = CostCsv::read((kHeading + QString::fromUtf8(c.line)).toUtf8());
        EXPECT_EQ(r.refusal, QString::fromUtf8(c.expected));
        EXPECT_TRUE(r.rows.empty());
    }
    // Two rows of one key from one day in a single file.
    const CostCsv::Result twice = CostCsv::read(
        (kHeading + QStringLiteral("検査手数料,2026-04-01,,持込,軽,,,,,,2300\n"
                                   "検査手数料,2026-04-01,,持込,軽,,,,,,2400\n"))
            .toUtf8());
    EXPECT_TRUE(twice.refusal.contains(QStringLiteral("重複")));
    EXPECT_TRUE(twice.rows.empty());
}

TEST(CostStore, rowsSettingsAndEcoFlagsRoundTrip)
{
    CostFolder f;
    std::vector<CostRow> rows = *f.costs.rows();
    CostRow changed = rows.front();
    changed.amount = 12345;
    EXPECT_EQ(f.costs.write(changed), QString());
    CostRow negative = changed;
    negative.amount = -5;
    EXPECT_EQ(f.costs.write(negative), QStringLiteral("金額に負の値は入力できません！"));
    // A second row on the day of a stored one would overlap it.
    CostRow copy = changed;
    copy.id = 0;
    EXPECT_TRUE(f.costs.write(copy).contains(QStringLiteral("重複")));
    rows = *f.costs.rows();
    EXPECT_EQ(rows.front().amount, 12345);
    EXPECT_EQ(rows.size(), CostStore::shippedRows().size());

    const CostSettings island{CostArea::Islands, InspectionPath::BroughtIn};
    EXPECT_EQ(f.costs.writeSettings(island), QString());
    EXPECT_EQ(f.costs.settings(), island);

    EXPECT_FALSE(f.costs.isEco(7));
    EXPECT_EQ(f.costs.setEco(7, true), QString());
    EXPECT_TRUE(f.costs.isEco(7));
    EXPECT_EQ(f.costs.setEco(7, false), QString());
    EXPECT_FALSE(f.costs.isEco(7));
}
