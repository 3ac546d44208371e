// The sales analysis graphs: the pie's slices and shares, the bars' scale,
// the drawing recorded against the graphs' coordinates, and a picture of
// each graph and of the printed page against its reviewed golden file.

#include "print/PrintRunner.h"
#include "reports/core/SalesGraphShapes.h"
#include "reports/print/SalesGraphPainter.h"
#include "reports/print/SalesGraphPrintout.h"
#include "support/GoldenImage.h"
#include "support/RecordingPaintDevice.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace kv::reports;
using kv::test::DrawnShape;
using kv::test::DrawnText;
using kv::test::GoldenImage;
using kv::test::RecordingPaintDevice;

namespace {

SalesMeasures sold(qint64 sales, qint64 extra = 0)
{
    return SalesMeasures{1, sales, 0, 0, sales, extra, 0, sales + extra};
}

SalesFigures figuresOf(const std::vector<std::pair<int, qint64>>& slotSales)
{
    SalesFigures figures;
    for (const auto& [slot, sales] : slotSales)
        figures.add(slot, sold(sales, sales / 10));
    figures.finish();
    return figures;
}

std::vector<SalesCategory> shopCategories()
{
    const char* names[] = {"一般整備", "車検", "６ヶ月点検", "１２ヶ月点検", "鈑金塗装", "部品販売", "保険", "車輌販売"};
    std::vector<SalesCategory> categories;
    int code = 1;
    for (const char* name : names)
        categories.push_back({code++, QString::fromUtf8(name), 4});
    return categories;
}

SalesGraph graphOf(int type, const SalesFigures& figures, bool totals = false)
{
    SalesGraph graph;
    graph.type = type;
    graph.figures = figures;
    graph.totals = totals;
    graph.categories = shopCategories();
    graph.firstMonth = QDate(2023, 4, 1);
    graph.lastMonth = QDate(2024, 3, 1);
    graph.categorySlot = 1;
    graph.categoryName = graph.categories[1].name;
    return graph;
}

RecordingPaintDevice& record(RecordingPaintDevice& device, const SalesGraph& graph)
{
    QPainter painter(&device);
    SalesGraphPainter::paint(painter, graph);
    return device;
}

std::vector<DrawnShape> filledWith(const RecordingPaintDevice& device, const QColor& colour)
{
    std::vector<DrawnShape> found;
    for (const DrawnShape& shape : device.shapes()) {
        if (shape.kind == DrawnShape::Rect && shape.brush == colour)
            found.push_back(shape);
    }
    return found;
}

const DrawnText* textOf(const RecordingPaintDevice& device, const QString& text)
{
    for (const DrawnText& t : device.texts()) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

QImage onScreen(const SalesGraph& graph, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    SalesGraphPainter::paintOnScreen(painter, graph);
    return image;
}

} // namespace

TEST(SalesPie, TwoCategoriesOfThreeToOneGiveSweepsOf270And90AndSharesOf75And25)
{
    const SalesPie pie = SalesPie::of(figuresOf({{0, 300000}, {1, 100000}}), false);
    ASSERT_EQ(pie.slices.size(), 2u);
    // Drawn from the highest slot down, the last closing the circle.
    EXPECT_EQ(pie.slices[0].slot, 1);
    EXPECT_DOUBLE_EQ(pie.slices[0].start, 90.5);
    EXPECT_DOUBLE_EQ(pie.slices[0].sweep, 90);
    EXPECT_EQ(pie.slices[1].slot, 0);
    EXPECT_DOUBLE_EQ(pie.slices[1].start, 180.5);
    EXPECT_DOUBLE_EQ(pie.slices[1].sweep, 270);
    EXPECT_EQ(SalesPie::shareText(*pie.shares[0]), QStringLiteral(" 75.0"));
    EXPECT_EQ(SalesPie::shareText(*pie.shares[1]), QStringLiteral(" 25.0"));
    EXPECT_EQ(SalesPie::shareText(*pie.shares[5]), QStringLiteral("  0.0"));

    // Three thirds round to 120 each; shares are cut, not rounded.
    const SalesPie thirds = SalesPie::of(figuresOf({{0, 1}, {3, 1}, {7, 1}}), false);
    ASSERT_EQ(thirds.slices.size(), 3u);
    EXPECT_DOUBLE_EQ(thirds.slices.back().start + thirds.slices.back().sweep, SalesPie::kLastAngle);
    EXPECT_DOUBLE_EQ(*thirds.shares[3], 33.3);
    // A sliver below half a degree has its share but no slice.
    const SalesPie sliver = SalesPie::of(figuresOf({{0, 100000}, {2, 100}}), false);
    EXPECT_EQ(sliver.slices.size(), 1u);
    EXPECT_DOUBLE_EQ(*sliver.shares[2], 0.0);
    EXPECT_DOUBLE_EQ(sliver.slices[0].sweep, 360);
}

TEST(SalesPie, CreditNotesTakeNoSliceAndTheSharesAreOfThePositiveSales)
{
    const SalesFigures figures = figuresOf({{0, 300000}, {1, -200000}, {2, 100000}});
    const SalesPie pie = SalesPie::of(figures, false);
    EXPECT_EQ(pie.positiveTotal, 400000);
    ASSERT_EQ(pie.slices.size(), 2u);
    EXPECT_EQ(pie.slices[0].slot, 2);
    EXPECT_DOUBLE_EQ(pie.slices[0].sweep, 90);
    EXPECT_DOUBLE_EQ(pie.slices[1].sweep, 270);
    EXPECT_FALSE(pie.shares[1].has_value());
    EXPECT_DOUBLE_EQ(*pie.shares[0], 75.0);

    // The legend names the negative amount; the heading the true total.
    RecordingPaintDevice device;
    record(device, graphOf(0, figures));
    EXPECT_TRUE(textOf(device, QStringLiteral("【売上合計  200,000円】")));
    EXPECT_TRUE(textOf(device, QStringLiteral("車検  -200,000円")));
    EXPECT_FALSE(textOf(device, QStringLiteral("車検")));

    // Nothing but credit notes: no slice, the empty circle.
    EXPECT_TRUE(SalesPie::of(figuresOf({{0, -5}}), false).empty());
}

TEST(SalesBarScale, ABarAboveTheAxisTopEndsFivePixelsAboveItAndTheLabelsAreThousands)
{
    const qint64 top = SalesBarScale::axisTop(0);
    EXPECT_EQ(top, 1'000'000);
    EXPECT_EQ(SalesBarScale::axisTop(8), 10'000'000'000);
    EXPECT_EQ(SalesBarScale::barTop(1'000'000, top), -5);
    EXPECT_EQ(SalesBarScale::barTop(7'000'000, top), -5);
    EXPECT_EQ(SalesBarScale::barTop(999'999, top), 1);
    EXPECT_EQ(SalesBarScale::barTop(500'000, top), 125);
    EXPECT_EQ(SalesBarScale::barTop(3'999, top), 250);
    EXPECT_EQ(SalesBarScale::axisLabel(0, top), QStringLiteral("1,000"));
    EXPECT_EQ(SalesBarScale::axisLabel(9, top), QStringLiteral("100"));
    EXPECT_EQ(SalesBarScale::axisLabel(0, SalesBarScale::axisTop(8)), QStringLiteral("10,000,000"));
    EXPECT_EQ(SalesBarScale::axisLabel(3, SalesBarScale::axisTop(7)), QStringLiteral("3,500,000"));
}

TEST(SalesGraphDrawing, PieLegendAndHeadingStandAtTheirCoordinates)
{
    RecordingPaintDevice device;
    record(device, graphOf(0, figuresOf({{0, 300000}, {1, 100000}}), true));
    // The heading over the totals, centred in (10, 10)-(250, 22).
    const DrawnText* heading = textOf(device, QStringLiteral("【売上合計  440,000円】"));
    ASSERT_TRUE(heading);
    EXPECT_NEAR(heading->baseline.x() + heading->width / 2, 130, 1);
    EXPECT_NEAR(heading->extent().center().y(), 16, 2);
    // Legend row n: the box from x 255 to 267, y 11 + 13n to 23 + 13n.
    for (int slot : {0, 1, 19}) {
        const auto boxes = filledWith(device, SalesGraphPainter::slotColour(slot));
        ASSERT_FALSE(boxes.empty()) << slot;
        EXPECT_EQ(boxes.front().rect, QRectF(255, 11 + 13 * slot, 12, 12)) << slot;
    }
    // The share ends at x 297, "%" at 299, the name at 309.
    const DrawnText* share = textOf(device, QStringLiteral(" 75.0"));
    ASSERT_TRUE(share);
    EXPECT_NEAR(share->baseline.x() + share->width, 297, 0.5);
    const DrawnText* name = textOf(device, QStringLiteral("車検"));
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->baseline.x(), 309, 0.5);
    EXPECT_NEAR(name->extent().center().y(), 11 + 13 + 6, 2);
    // Twenty rows of shares, eight with a name.
    EXPECT_EQ(device.find(1, QStringLiteral("%")).size(), 20u);
    // The slices around (130, 152), radius 120, in the slots' colours.
    int slices = 0;
    for (const DrawnShape& shape : device.shapes()) {
        if (shape.kind == DrawnShape::Path && shape.brush.isValid()) {
            ++slices;
            EXPECT_TRUE(QRectF(10, 32, 240, 240).adjusted(-1, -1, 1, 1).contains(shape.rect));
        }
    }
    EXPECT_EQ(slices, 2);
}

TEST(SalesGraphDrawing, BarsRiseFromTheBaseLineInTheirColumnsAndStopAboveTheTop)
{
    SalesGraph graph = graphOf(1, figuresOf({{0, 2'000'000}, {3, 500'000}, {5, -10}}));
    RecordingPaintDevice device;
    record(device, graph);
    const auto first = filledWith(device, SalesGraphPainter::slotColour(0));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].rect, QRectF(QPointF(35, -5), QPointF(47, 250)));
    const auto fourth = filledWith(device, SalesGraphPainter::slotColour(3));
    ASSERT_EQ(fourth.size(), 1u);
    EXPECT_EQ(fourth[0].rect, QRectF(QPointF(35 + 17 * 3, 125), QPointF(35 + 17 * 3 + 12, 250)));
    EXPECT_TRUE(filledWith(device, SalesGraphPainter::slotColour(5)).empty());
    // Axis, base line to 375, grey grid lines at 0 ... 225, labels of thousands.
    int grid = 0;
    bool baseLine = false;
    for (const DrawnShape& shape : device.shapes()) {
        if (shape.kind != DrawnShape::Line)
            continue;
        if (shape.pen == QColor(192, 192, 192)) {
            ++grid;
            EXPECT_EQ(shape.line.x2(), 375);
        }
        baseLine |= shape.line == QLineF(29, 250, 375, 250);
    }
    EXPECT_EQ(grid, 10);
    EXPECT_TRUE(baseLine);
    const DrawnText* topLabel = textOf(device, QStringLiteral("1,000"));
    ASSERT_TRUE(topLabel);
    EXPECT_NEAR(topLabel->baseline.x() + topLabel->width, 25, 0.5);
    EXPECT_TRUE(textOf(device, QStringLiteral("(千円)")));
    // Names one character a line below the base line.
    const auto kanji = device.find(1, QStringLiteral("鈑"));
    ASSERT_EQ(kanji.size(), 1u);
    EXPECT_NEAR(kanji[0].extent().center().y(), 253 + 6, 2);
    EXPECT_NEAR(kanji[0].baseline.x() + kanji[0].width / 2, 36 + 17 * 4 + 6, 1);
}

TEST(SalesGraphDrawing, MonthBarsHaveTwelveMonthColumnsInTheCategorysColour)
{
    SalesGraph graph = graphOf(2, figuresOf({{0, 100000}, {11, 300000}}));
    RecordingPaintDevice device;
    record(device, graph);
    const auto bars = filledWith(device, SalesGraphPainter::slotColour(1));
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[1].rect.left(), 35 + 17 * 11);
    // From April: ４月 first, ３月 last, "10月" in two lines.
    const auto april = device.find(1, QStringLiteral("４"));
    ASSERT_EQ(april.size(), 1u);
    EXPECT_NEAR(april[0].baseline.x() + april[0].width / 2, 36 + 6, 1);
    const auto march = device.find(1, QStringLiteral("３"));
    ASSERT_EQ(march.size(), 1u);
    EXPECT_NEAR(march[0].baseline.x() + march[0].width / 2, 36 + 17 * 11 + 6, 1);
    EXPECT_EQ(device.find(1, QStringLiteral("10")).size(), 1u);
    for (const DrawnShape& shape : device.shapes()) {
        if (shape.kind == DrawnShape::Line && shape.pen == QColor(192, 192, 192)) {
            EXPECT_EQ(shape.line.x2(), 239);
        }
    }
}

TEST(SalesGraphDrawing, NoSalesShowsItsTextInsteadOfAGraph)
{
    for (int type : {0, 1, 2}) {
        RecordingPaintDevice device;
        record(device, graphOf(type, figuresOf({})));
        const DrawnText* none = textOf(device, QStringLiteral("売上がありません！"));
        ASSERT_TRUE(none) << type;
        const double centre = type == 0 ? 130 : type == 1 ? (30 + 375) / 2.0 : (30 + 239) / 2.0;
        EXPECT_NEAR(none->baseline.x() + none->width / 2, centre, 1) << type;
    }
}

TEST(SalesGraphPictures, EachGraphAndThePrintedPageMatchTheirGoldenPictures)
{
    const SalesFigures figures = figuresOf({{0, 420000}, {1, 910000}, {2, 130000}, {3, 260000}, {4, 380000},
                                            {5, 150000}, {7, 1'200'000}});
    const GoldenImage::Tolerance tolerance{48, 0.004};
    EXPECT_TRUE(GoldenImage::matches(onScreen(graphOf(0, figures), {420, 370}), "reports/sales_pie", tolerance));
    EXPECT_TRUE(GoldenImage::matches(onScreen(graphOf(1, figures), {440, 430}), "reports/sales_bars", tolerance));
    const SalesFigures months = figuresOf({{0, 310000}, {1, 280000}, {2, 900000}, {3, 450000}, {4, 120000},
                                           {5, 0}, {6, 670000}, {7, 530000}, {8, 1'100'000}, {9, 220000},
                                           {10, 350000}, {11, 800000}});
    EXPECT_TRUE(GoldenImage::matches(onScreen(graphOf(2, months), {350, 390}), "reports/sales_months", tolerance));
    SalesGraphPrintout page(graphOf(0, figures, true));
    EXPECT_EQ(page.layout().orientation, QPageLayout::Landscape);
    EXPECT_EQ(page.layout().jobName, QStringLiteral("売上比率円グラフ"));
    EXPECT_TRUE(GoldenImage::matches(kv::print::PrintRunner::image(page, 1, 50), "reports/sales_pie_page",
                                     tolerance));
}
