// The printed slip through the print library: what each page carries, at
// which positions, in which colours; one PDF read back; page 1 as a
// reviewed picture.

#include "SlipPrintSample.h"
#include "print/PrintRunner.h"
#include "slips/print/SlipPrintout.h"
#include "support/GoldenImage.h"
#include "support/PdfWords.h"
#include "support/RecordingPaintDevice.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QPainter>

using kv::print::PrintRunner;
using kv::slips::SlipPrintData;
using kv::slips::SlipPrintout;
using kv::test::DrawnShape;
using kv::test::DrawnText;
using kv::test::RecordingPaintDevice;
using kv::test::slipPrintSample;
using kv::test::u;

namespace {

// Every page of the printout on one recording device.
struct Recorded {
    explicit Recorded(const SlipPrintData& data)
        : printout(data)
    {
        QPainter painter(&device);
        for (int page = 1; page <= printout.pageCount(); ++page) {
            if (page > 1)
                device.nextPage();
            PrintRunner::paintPage(printout, page, painter, device);
        }
    }
    bool has(int page, const QString& text) const { return !device.find(page, text).empty(); }
    DrawnText only(int page, const QString& text) const
    {
        const auto found = device.find(page, text);
        EXPECT_EQ(found.size(), 1u) << text.toStdString() << " on page " << page;
        return found.empty() ? DrawnText{} : found.front();
    }
    // Lines drawn within the x range (fold and centre marks).
    std::vector<double> marksAt(int page, double x1, double x2) const
    {
        std::vector<double> ys;
        for (const DrawnShape& s : device.shapesOn(page))
            if (s.kind == DrawnShape::Line && s.line.x1() >= x1 - 0.5 && s.line.x2() <= x2 + 0.5
                && s.line.dy() == 0)
                ys.push_back(s.line.y1());
        return ys;
    }
    std::vector<DrawnShape> fillsWith(int page, const QColor& colour) const
    {
        std::vector<DrawnShape> found;
        for (const DrawnShape& s : device.shapesOn(page))
            if (s.brush == colour)
                found.push_back(s);
        return found;
    }

    SlipPrintout printout;
    RecordingPaintDevice device;
};

// Default positions: the page moves 0.2 mm up (top margin -2), not sideways.
constexpr double kTop = -2;

} // namespace

TEST(SlipPrintout, CopiesOneAndThreeOfThirtyFiveLinesPrintFourPages)
{
    SlipPrintData data = slipPrintSample(35);
    data.copies = {true, false, true};
    Recorded r(data);
    ASSERT_EQ(r.printout.pageCount(), 4);
    EXPECT_EQ(r.printout.layout().jobName, u("伝票：000123"));

    const QString control = u("納  品  書（控）");
    const QString customer = u("納  品  書");
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        const bool first = page == 1 || page == 3;
        const bool customerCopy = page >= 3;
        EXPECT_TRUE(r.has(page, customerCopy ? customer : control));
        EXPECT_TRUE(r.has(page, first ? u("000123(1-2)") : u("000123(2-2)")));
        EXPECT_EQ(r.has(page, u("御請求額")), first);
        EXPECT_EQ(r.has(page, u("71,072")), first);
        EXPECT_EQ(r.has(page, data.shop.shopName), customerCopy);
        EXPECT_EQ(r.has(page, u("TEL 03-0000-0000     03-0000-0001")), customerCopy);
        EXPECT_EQ(r.marksAt(page, 2020, 2040).size(), customerCopy ? 2u : 0u);
        // The centre mark on every page, the folds on the customer's copy.
        EXPECT_EQ(r.marksAt(page, 60, 80).size(), customerCopy ? 3u : 1u);
        EXPECT_TRUE(r.has(page, u("小  計")));
        // Copies 2 and 3 show the slip notice where copy 1 has nothing.
        EXPECT_EQ(r.has(page, u("毎度ありがとうございます。")), first && customerCopy);
        EXPECT_EQ(r.has(page, u("お振込は下記口座へお願いします。")), first && customerCopy);
    }
    // Rows 1..30 on the first page of a copy, 31..35 on the second.
    EXPECT_TRUE(r.has(1, u("ｴﾝｼﾞﾝｵｲﾙ交換 30")));
    EXPECT_FALSE(r.has(1, u("ｴﾝｼﾞﾝｵｲﾙ交換 31")));
    EXPECT_TRUE(r.has(4, u("ｴﾝｼﾞﾝｵｲﾙ交換 35")));
    EXPECT_FALSE(r.has(4, u("ｴﾝｼﾞﾝｵｲﾙ交換 1")));
    // The fold marks at their default positions, moved with the page.
    const auto folds = r.marksAt(3, 2020, 2040);
    ASSERT_EQ(folds.size(), 2u);
    EXPECT_DOUBLE_EQ(folds[0], 1050 + kTop);
    EXPECT_DOUBLE_EQ(folds[1], 2100 + kTop);
    EXPECT_DOUBLE_EQ(r.marksAt(1, 60, 80).front(), 1480 + kTop);
}

TEST(SlipPrintout, WorkOrderPrintsOneCopyWithTheInspectionBlock)
{
    SlipPrintData data = slipPrintSample(10);
    data.slip.m_DenKind = 1;
    data.copies = {false, false, false};
    Recorded r(data);
    ASSERT_EQ(r.printout.pageCount(), 1);
    EXPECT_TRUE(r.has(1, u("作 業 指 示 書")));
    EXPECT_TRUE(r.has(1, u("●CO､ HC濃度")));
    EXPECT_TRUE(r.has(1, u("ﾗｲﾆﾝｸﾞの厚さ")));
    EXPECT_EQ(r.device.find(1, u("左")).size(), 4u);
    EXPECT_FALSE(r.has(1, u("小  計")));
    EXPECT_FALSE(r.has(1, u("御請求額")));
    EXPECT_FALSE(r.has(1, data.shop.shopName));
    EXPECT_TRUE(r.marksAt(1, 2020, 2040).empty());
    // The left/right labels of the tyre table sit at their row tops.
    const DrawnText left = r.device.find(1, u("左")).front();
    EXPECT_NEAR(left.extent().top(), 2376 + kTop, 1.5);
}

TEST(SlipPrintout, EstimatesSayWhatTheFinalAmountIs)
{
    SlipPrintData data = slipPrintSample(0);
    data.slip.m_DenKind = 2;
    data.copies = {false, true, true};
    Recorded r(data);
    ASSERT_EQ(r.printout.pageCount(), 1) << "a rough estimate has no third copy";
    EXPECT_TRUE(r.has(1, u("概 算 見 積 書")));
    EXPECT_TRUE(r.has(1, u("概算見積額")));
    EXPECT_EQ(r.only(1, u("概算見積額")).font.stretch(), 57);
    data.slip.m_DenKind = 3;
    data.copies = {true, false, false};
    Recorded estimate(data);
    EXPECT_TRUE(estimate.has(1, u("御 見 積 書（控）")));
    EXPECT_TRUE(estimate.has(1, u("御見積額")));
    data.copies = {false, false, false};
    EXPECT_EQ(SlipPrintout(data).pageCount(), 0);
}

TEST(SlipPrintout, EmptySlipPrintsThirtyEmptyShadedRows)
{
    SlipPrintData data = slipPrintSample(0);
    data.copies = {true, true, false};
    Recorded r(data);
    ASSERT_EQ(r.printout.pageCount(), 2);
    EXPECT_TRUE(r.has(1, u("000123(1-1)")));
    // Colour: copy 1 shades every second row in its tint, copy 2 in its own.
    EXPECT_EQ(r.fillsWith(1, QColor(230, 255, 255)).size(), 15u);
    EXPECT_EQ(r.fillsWith(2, QColor(230, 255, 230)).size(), 15u);
    const auto shaded = r.fillsWith(2, QColor(230, 255, 230));
    EXPECT_EQ(shaded.front().rect, QRectF(100, 970 + 44 + kTop, 1900, 44));
}

TEST(SlipPrintout, ColourCopiesHaveTheirBoxesAndBlackAndWhiteHasGrey)
{
    SlipPrintData data = slipPrintSample(3);
    data.copies = {false, true, false};
    {
        Recorded r(data);
        const auto green = r.fillsWith(1, QColor(0, 255, 0));
        ASSERT_FALSE(green.empty());
        // The title's rounded box comes first, under the white title.
        EXPECT_EQ(green.front().kind, DrawnShape::Path);
        EXPECT_EQ(green.front().rect.toRect(), QRect(1200, 60 + int(kTop), 700, 90));
        EXPECT_EQ(r.only(1, u("請 求 明 細 書")).colour, QColor(Qt::white));
        EXPECT_TRUE(r.fillsWith(1, QColor(220, 220, 220)).empty());
    }
    data.settings.colourInk = 0;
    Recorded r(data);
    EXPECT_FALSE(r.printout.layout().colour);
    EXPECT_TRUE(r.fillsWith(1, QColor(0, 255, 0)).empty());
    EXPECT_EQ(r.fillsWith(1, QColor(220, 220, 220)).size(), 15u);
    for (const DrawnShape& s : r.device.shapesOn(1))
        EXPECT_FALSE(s.kind == DrawnShape::Path && s.brush.isValid()) << "no title box in black and white";
    EXPECT_EQ(r.only(1, u("請 求 明 細 書")).colour, QColor(Qt::black));
}

TEST(SlipPrintout, PageSubtotalsLeaveOutBroughtInPartsAndFreeLabour)
{
    SlipPrintData data = slipPrintSample(0);
    data.rows = {
        {u("ﾀｲﾔ"), u("部品"), {}, u("4.0"), u("5,000"), u("20,000"), u("2,000")},
        {u("ﾊﾞｯﾃﾘｰ"), u("部品"), {}, u("1.0"), u("9,000"), u("持ち込み"), u("サービス")},
        {u("点検"), u("工賃"), {}, {}, {}, {}, u("1,500")},
    };
    data.copies = {true, false, false};
    Recorded r(data);
    EXPECT_TRUE(r.has(1, u("持ち込み")));
    EXPECT_TRUE(r.has(1, u("サービス")));
    EXPECT_TRUE(r.has(1, u("20,000")));
    const DrawnText labour = r.only(1, u("3,500"));
    // Right aligned in 1770..1990 on the subtotal row 2290..2340.
    EXPECT_NEAR(labour.baseline.x() + labour.width, 1990, 1);
    EXPECT_GT(labour.extent().top(), 2290 + kTop);
    EXPECT_LT(labour.extent().bottom(), 2340 + kTop);

    data.rows = {{u("持込"), u("部品"), {}, u("1.0"), {}, u("持ち込み"), u("サービス")}};
    Recorded zero(data);
    EXPECT_TRUE(zero.has(1, u("小  計")));
    for (const DrawnText& t : zero.device.textsOn(1))
        EXPECT_NE(t.text, u("0")) << "a subtotal of 0 prints nothing";
}

TEST(SlipPrintout, AddresseeLinesMoveUpWhenOneIsEmptyAndWithTheirOffsets)
{
    SlipPrintData data = slipPrintSample(0);
    data.copies = {true, false, false};
    data.settings.positions.addresseeLeft = 30;
    data.settings.positions.addresseeTop = -20;
    data.settings.positions.slipLeft = 10;
    data.settings.positions.slipTop = 5;
    Recorded r(data);
    const auto topLeft = [&](const QString& text) {
        const QRectF e = r.only(1, text).extent();
        return QPointF(e.left(), e.top());
    };
    // Layout point + addressee offsets, then the page moved by its margins.
    const QPointF shift(30 - 10, -20 + 5);
    EXPECT_EQ(topLeft(u("123-4567")), QPointF(240, 200) + shift);
    EXPECT_EQ(topLeft(data.billing.m_UserJyu1), QPointF(240, 280) + shift);
    EXPECT_EQ(topLeft(u("山田 太郎　様")), QPointF(340, 410) + shift);
    EXPECT_EQ(topLeft(u("(000042)")), QPointF(340, 490) + shift);
    EXPECT_EQ(topLeft(u("TEL 03-1234-5678")), QPointF(502, 490) + shift);

    data.billing.m_UserJyu2 = u("丸の内ビル 3F");
    data.billing.m_UserName2 = u("山田商店");
    data.billing.m_Sama = 3;
    data.billing.m_Post = 0;
    Recorded two(data);
    EXPECT_EQ(two.only(1, data.billing.m_UserJyu1).extent().top(), 240 + shift.y());
    EXPECT_EQ(two.only(1, data.billing.m_UserJyu2).extent().top(), 280 + shift.y());
    EXPECT_EQ(two.only(1, u("山田 太郎")).extent().top(), 370 + shift.y());
    EXPECT_TRUE(two.has(1, u("山田商店　御中")));
    for (const DrawnText& t : two.device.textsOn(1))
        EXPECT_FALSE(t.text.contains(QLatin1Char('-')) && t.text.size() == 8) << "no postal code";
}

TEST(SlipPrintout, DiscountSignAndBreakdownOnTheShopsCopy)
{
    SlipPrintData data = slipPrintSample(0);
    data.copies = {true, false, false};
    data.settings.discountSign = 1;
    data.settings.partsLabourBreakdown = 1;
    Recorded r(data);
    EXPECT_TRUE(r.has(1, u("部品工賃内訳")));
    EXPECT_TRUE(r.has(1, u("値 引 内 訳")));
    // In the totals column and in the discount box.
    EXPECT_EQ(r.device.find(1, u("▲1,234")).size(), 2u);
    EXPECT_TRUE(r.has(1, u("10.00%)")));
    EXPECT_TRUE(r.has(1, u("0"))) << "the labour discount box prints 0";
    EXPECT_TRUE(r.has(1, u("(代   行   料)")));
    EXPECT_TRUE(r.has(1, u(" 消   費   税")));

    data.settings.discountSign = 0;
    data.settings.partsLabourBreakdown = 0;
    Recorded plain(data);
    EXPECT_FALSE(plain.has(1, u("部品工賃内訳")));
    EXPECT_FALSE(plain.has(1, u("▲1,234")));
    EXPECT_TRUE(plain.has(1, u("1,234")));
}

TEST(SlipPrintout, PdfCarriesTheFiguresWhereTheFormHasThem)
{
    kv::test::TempFolder temp;
    const QString path = temp.file(QStringLiteral("slip.pdf"));
    SlipPrintData data = slipPrintSample(5);
    data.copies = {true, false, false};
    data.settings.positions.slipLeft = -50; // 5 mm to the right
    SlipPrintout printout(data);
    QString error;
    ASSERT_TRUE(PrintRunner::writePdf(printout, path, &error)) << error.toStdString();
    const auto pdf = kv::test::PdfWords::read(path);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), 1u);

    const auto one = [&](const QString& text) {
        const auto words = pdf.find(1, text);
        EXPECT_EQ(words.size(), 1u) << text.toStdString();
        return words.empty() ? QRectF() : words.front().box;
    };
    constexpr double mm = 5; // half a millimetre
    // The slip number centred in 100..400 × 630..680.
    const QRectF number = one(u("000123(1-1)"));
    EXPECT_NEAR(number.center().x(), 250 + 50, mm);
    EXPECT_NEAR(number.center().y(), 655 + kTop, mm);
    // The billing customer's name from the corner (340, 410).
    const QRectF name = one(u("山田"));
    EXPECT_NEAR(name.left(), 340 + 50, mm);
    EXPECT_NEAR(name.top(), 410 + kTop, mm);
    // 御請求額 from 1370 in 2660..2760, its amount right aligned at 1990.
    const QRectF label = one(u("御請求額"));
    EXPECT_NEAR(label.left(), 1370 + 50, mm);
    EXPECT_NEAR(label.center().y(), 2710 + kTop, mm);
    const QRectF billed = one(u("71,072"));
    EXPECT_NEAR(billed.right(), 1990 + 50, mm);
}

TEST(SlipPrintout, FirstPageLooksAsReviewed)
{
    SlipPrintData data = slipPrintSample(12);
    data.copies = {false, true, false};
    data.settings.discountSign = 1;
    SlipPrintout printout(data);
    const QImage page = PrintRunner::image(printout, 1, 100);
    EXPECT_TRUE(kv::test::GoldenImage::matches(page, QStringLiteral("slips/printout-page1"),
                                               {48, 0.004}));
}
