// A list report described once: its CSV file and its A4 landscape pages.

#include "common/Cp932.h"
#include "print/PrintRunner.h"
#include "reports/core/ReportCsv.h"
#include "reports/core/ReportTable.h"
#include "reports/print/PageSpanPrintout.h"
#include "reports/print/TableListPrintout.h"
#include "support/RecordingPaintDevice.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

using namespace kv::reports;
using kv::print::PrintRunner;
using kv::test::RecordingPaintDevice;
using kv::test::u;

namespace {

std::vector<ReportColumn> customerColumns()
{
    return {ReportColumn::text(u("顧客名"), 600), ReportColumn::amount(u("残高"), 300),
            ReportColumn::date(u("車検満了日"), 300)};
}

// The customers 1..count, telling which rows were asked for.
class CountingTable final : public ReportTable {
public:
    explicit CountingTable(int count, bool withTotals = false)
        : m_count(count)
        , m_totals(withTotals)
    {
    }
    QString title() const override { return u("顧客一覧"); }
    QStringList headings() const override { return {u("顧客ｺｰﾄﾞ 1 ～ 999999")}; }
    std::vector<ReportColumn> columns() const override { return customerColumns(); }
    int rowCount() override { return m_count; }
    ReportRow row(int index) override
    {
        asked.push_back(index);
        return {QStringLiteral("客%1").arg(index + 1), qint64(1000) * (index + 1),
                QDate(2025, 1, 1).addDays(index)};
    }
    std::optional<ReportRow> totals() override
    {
        if (!m_totals)
            return std::nullopt;
        return ReportRow{u("合計"), qint64(m_count) * (m_count + 1) / 2 * 1000, QVariant()};
    }
    std::vector<int> asked;

private:
    int m_count;
    bool m_totals;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void record(kv::print::PagePainter& printout, RecordingPaintDevice& device)
{
    QPainter painter(&device);
    for (int page = 1; page <= printout.pageCount(); ++page) {
        if (page > 1)
            device.nextPage();
        PrintRunner::paintPage(printout, page, painter, device);
    }
}

} // namespace

TEST(ReportCsv, WritesTitlesAndRowsPlainlyQuotedWhereNeeded)
{
    kv::test::TempFolder folder;
    FixedReportTable table(u("顧客一覧"), {}, customerColumns(),
                           {{u("山田, 太郎"), qint64(-1234567), QDate(2025, 3, 9)},
                            {u("\"ﾔﾏﾀﾞ\"\n商店"), qint64(12345678901), QDate()},
                            {u("佐藤"), QVariant(), QVariant()}});
    const QString path = folder.path() + "/list.csv";
    QString error;
    ASSERT_TRUE(ReportCsv::write(table, path, ReportCsv::Encoding::Cp932, &error))
        << error.toStdString();
    const QString expected = u("顧客名,残高,車検満了日\r\n"
                               "\"山田, 太郎\",-1234567,2025/03/09\r\n"
                               "\"\"\"ﾔﾏﾀﾞ\"\"\n商店\",12345678901,\r\n"
                               "佐藤,,\r\n");
    EXPECT_EQ(contents(path), kv::cp932::encode(expected));

    ASSERT_TRUE(ReportCsv::write(table, path, ReportCsv::Encoding::Utf8Bom, &error));
    EXPECT_EQ(contents(path), QByteArray("\xEF\xBB\xBF") + expected.toUtf8());
}

TEST(ReportCsv, AFailedWriteSaysSoAndLeavesNoFile)
{
    kv::test::TempFolder folder;
    CountingTable table(3);
    // A folder stands where the file would go, and a folder that is not there.
    QDir(folder.path()).mkpath("taken.csv");
    for (const QString& path : {folder.path() + "/taken.csv", folder.path() + "/none/list.csv"}) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        EXPECT_FALSE(ReportCsv::write(table, path, ReportCsv::Encoding::Cp932, &error));
        EXPECT_TRUE(error.endsWith(u(" に書込めません！"))) << error.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.path() + "/none/list.csv"));
    // Nothing beside the folder: no temporary file left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"taken.csv"});
}

TEST(ReportCells, PrintAmountsGroupedAndDatesInFull)
{
    const std::vector<ReportColumn> columns = customerColumns();
    EXPECT_EQ(ReportCells::printed(columns[1], qint64(-1234567)), "-1,234,567");
    EXPECT_EQ(ReportCells::printed(columns[1], qint64(12345678901)), "12,345,678,901");
    EXPECT_EQ(ReportCells::printed(columns[1], qint64(999)), "999");
    EXPECT_EQ(ReportCells::printed(columns[1], qint64(0)), "0");
    EXPECT_EQ(ReportCells::printed(columns[2], QDate(2025, 12, 1)), "2025/12/01");
    EXPECT_EQ(ReportCells::printed(columns[2], QDate()), "");
    EXPECT_EQ(ReportCells::printed(columns[1], QVariant()), "");
}

TEST(TableListPrintout, PagesCarryTitleHeadingsPageNumberDateAndTotalsOnTheLast)
{
    CountingTable table(27, true);
    TableListPrintout printout(table, 13, QDate(2025, 6, 30));
    EXPECT_EQ(printout.layout().paper, QPageSize::A4);
    EXPECT_EQ(printout.layout().orientation, QPageLayout::Landscape);
    EXPECT_EQ(printout.layout().jobName, u("顧客一覧"));
    ASSERT_EQ(printout.pageCount(), 3);

    RecordingPaintDevice device;
    record(printout, device);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(device.find(page, u("顧客一覧")).size(), 1u);
        EXPECT_EQ(device.find(page, u("顧客ｺｰﾄﾞ 1 ～ 999999")).size(), 1u);
        EXPECT_EQ(device.find(page, u("印刷日 2025/06/30")).size(), 1u);
        EXPECT_EQ(device.find(page, QStringLiteral("%1 / 3").arg(page)).size(), 1u);
        EXPECT_EQ(device.find(page, u("残高")).size(), 1u);
        EXPECT_EQ(device.find(page, u("合計")).size(), page == 3 ? 1u : 0u);
    }
    // Page 2 holds customers 14 to 26, the last page the 27th.
    EXPECT_EQ(device.find(2, u("客13")).size(), 0u);
    EXPECT_EQ(device.find(2, u("客14")).size(), 1u);
    EXPECT_EQ(device.find(2, u("客26")).size(), 1u);
    EXPECT_EQ(device.find(2, "26,000").size(), 1u);
    EXPECT_EQ(device.find(2, "2025/01/26").size(), 1u);
    EXPECT_EQ(device.find(3, u("客27")).size(), 1u);
    EXPECT_EQ(device.find(3, "378,000").size(), 1u);

    // The amount stands right-aligned in its column (100 + 600 .. 100 + 900),
    // the name left in its own.
    const auto amount = device.find(2, "26,000");
    ASSERT_EQ(amount.size(), 1u);
    EXPECT_NEAR(amount[0].baseline.x() + amount[0].width, 1000 - 10, 1.5);
    const auto name = device.find(2, u("客14"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(name[0].baseline.x(), 110, 1.5);
    // Rows stand where they stand on every page, above the paper's margin.
    EXPECT_NEAR(device.find(1, u("客1"))[0].baseline.y(), device.find(3, u("客27"))[0].baseline.y(), 0.01);
    for (const auto& text : device.texts())
        EXPECT_LT(text.extent().bottom(), TableListPrintout::kBodyBottom) << text.text.toStdString();
}

TEST(TableListPrintout, AsksOnlyForTheRowsOfThePagePaintedAndCutsLongCells)
{
    CountingTable table(100000);
    TableListPrintout printout(table, 20, QDate(2025, 6, 30));
    EXPECT_EQ(printout.pageCount(), 5000);
    PageSpanPrintout page4999(printout, 4999, 4999);
    RecordingPaintDevice device;
    record(page4999, device);
    std::vector<int> expected;
    for (int row = 99960; row < 99980; ++row)
        expected.push_back(row);
    EXPECT_EQ(table.asked, expected);
    EXPECT_EQ(device.find(1, "4999 / 5000").size(), 1u);

    FixedReportTable longName(u("顧客一覧"), {}, {ReportColumn::text(u("顧客名"), 200)},
                              {{u("とても長い名前の株式会社サビオン自動車整備工場")}});
    TableListPrintout cut(longName, 13, QDate(2025, 6, 30));
    RecordingPaintDevice cutDevice;
    record(cut, cutDevice);
    bool found = false;
    for (const auto& text : cutDevice.textsOn(1)) {
        if (!text.text.startsWith(u("とても")))
            continue;
        found = true;
        EXPECT_LE(text.baseline.x() + text.width, 100 + 200 - 10 + 0.5);
        EXPECT_LT(text.text.size(), 22);
    }
    EXPECT_TRUE(found);
}

TEST(TableListPrintout, PlannedPagesGiveRowsTheirUnitsAndEmptyTablesNoPages)
{
    CountingTable table(3);
    using Placed = TableListPrintout::PlacedRow;
    // A customer over two vehicles, the customer repeated on page 2.
    std::vector<TableListPrintout::PlannedPage> pages{{{0, 3}, {1, 6}}, {{0, 3}, {2, 6}}};
    TableListPrintout printout(table, 35, pages, QDate(2025, 6, 30));
    ASSERT_EQ(printout.pageCount(), 2);
    EXPECT_EQ(printout.rowsOf(2), (TableListPrintout::PlannedPage{Placed{0, 3}, Placed{2, 6}}));
    RecordingPaintDevice device;
    record(printout, device);
    const double unit = printout.unitHeight();
    const double first = device.find(2, u("客1"))[0].baseline.y();
    const double second = device.find(2, u("客3"))[0].baseline.y();
    // Each centred in its rows: 3 units, then 6.
    EXPECT_NEAR(second - first, 1.5 * unit + 3 * unit, 1.0);

    CountingTable none(0);
    EXPECT_EQ(TableListPrintout(none, 13, QDate(2025, 6, 30)).pageCount(), 0);
}
