// The postcard address side and the label sheet: a real PDF read back for
// the card's positions and shifts, the recorded drawing for the frame and
// the labels.

#include "print/PrintRunner.h"
#include "reports/core/AddressSource.h"
#include "reports/print/AddressLabelPrintout.h"
#include "reports/print/PostcardAddressPrintout.h"
#include "reports/print/PostcardBackPrintout.h"
#include "reports/print/ReminderPrintout.h"
#include "data/settings/PrintPositions.h"
#include "support/PdfWords.h"
#include "reports/RecordPages.h"
#include "support/RecordingPaintDevice.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace kv::reports;
using kv::print::PrintRunner;
using kv::test::DrawnShape;
using kv::test::DrawnText;
using kv::test::PdfWords;
using kv::test::RecordingPaintDevice;
using kv::test::u;

namespace {

class Addressees final : public AddressSource {
public:
    explicit Addressees(std::vector<PostcardAddress> list)
        : m_list(std::move(list))
    {
    }
    int count() override { return int(m_list.size()); }
    std::optional<PostcardAddress> at(int index) override
    {
        if (index < 0 || index >= count())
            return std::nullopt;
        return m_list[size_t(index)];
    }
private:
    std::vector<PostcardAddress> m_list;
};

PostcardSender shop()
{
    return PostcardSender{u("サビオン自動車"), u("東京都品川区大井１－２－３"), QString(),
                          u("03-1234-5678"),   u("03-1234-5679"),              u("ＭＳ Ｐゴシック")};
}

PostcardAddress yamada()
{
    return PostcardAddress{1234567, u("東京都千代田区丸の内１－１"), u("丸の内ビル３階"), u("山田太郎"),
                           QString(), 1};
}

PdfWords pdfOf(kv::print::PagePainter& printout, const kv::test::TempFolder& temp)
{
    const QString path = temp.file(QStringLiteral("out.pdf"));
    QString error;
    EXPECT_TRUE(PrintRunner::writePdf(printout, path, &error)) << error.toStdString();
    PdfWords pdf = PdfWords::read(path);
    EXPECT_TRUE(pdf.ok) << pdf.error.toStdString();
    return pdf;
}

QRectF only(const PdfWords& pdf, int page, const QString& text)
{
    std::vector<kv::test::PdfWord> exact;
    for (const auto& word : pdf.find(page, text))
        if (word.text == text)
            exact.push_back(word);
    EXPECT_EQ(exact.size(), 1u) << text.toStdString() << " on page " << page;
    return exact.empty() ? QRectF() : exact.front().box;
}

constexpr double kHalfMillimetre = 5;

using kv::test::recordPages;

} // namespace

TEST(PostcardAddressPrintout, PdfHasEveryPartWhereTheCardWantsItShiftedByTheShifts)
{
    PostcardAddress second = yamada();
    second.postalCode = 0;
    second.name1 = u("佐藤商店");
    second.name2 = u("経理部");
    second.honorific = 3;

    for (const PostcardShift shift : {PostcardShift{0, 0},
                                                       PostcardShift{30, -20}}) {
        SCOPED_TRACE(shift.down);
        Addressees addressees({yamada(), second});
        PostcardAddressPrintout printout(addressees, shop(), shift, u("顧客 はがき宛先"));
        kv::test::TempFolder temp;
        const PdfWords pdf = pdfOf(printout, temp);
        ASSERT_EQ(pdf.pages.size(), 2u);
        // The PDF writer gives the paper in whole points.
        EXPECT_NEAR(pdf.pages[0].width(), 1000, kHalfMillimetre);
        EXPECT_NEAR(pdf.pages[0].height(), 1480, kHalfMillimetre);
        const double dx = shift.right;
        const double dy = shift.down;

        // The text reader joins the digits of the first three and of the last
        // four boxes into one word each: the groups start at the first box
        // and end one digit past the last box.
        const QRectF head = only(pdf, 1, u("123"));
        const QRectF tail = only(pdf, 1, u("4567"));
        EXPECT_NEAR(head.left(), 454 + dx, kHalfMillimetre);
        EXPECT_NEAR(tail.left(), 669 + dx, kHalfMillimetre);
        EXPECT_NEAR(head.right() - 594, tail.right() - 873, kHalfMillimetre);
        EXPECT_NEAR(head.top(), 145 + dy, kHalfMillimetre);
        EXPECT_NEAR(tail.top(), 145 + dy, kHalfMillimetre);
        const QRectF address = only(pdf, 1, u("東京都千代田区丸の内１－１"));
        EXPECT_NEAR(address.left(), 350 + dx, kHalfMillimetre);
        EXPECT_NEAR(address.top(), 330 + dy, kHalfMillimetre);
        EXPECT_NEAR(only(pdf, 1, u("丸の内ビル３階")).top(), 370 + dy, kHalfMillimetre);
        const QRectF name = only(pdf, 1, u("山田太郎"));
        EXPECT_NEAR(name.left(), 350 + dx, kHalfMillimetre);
        EXPECT_NEAR(name.top(), 450 + dy, kHalfMillimetre);
        // Without a second name line the honorific ends the first.
        const QRectF honorific = only(pdf, 1, u("様"));
        EXPECT_NEAR(honorific.top(), 450 + dy, kHalfMillimetre);
        EXPECT_GT(honorific.left(), name.right());
        EXPECT_LT(honorific.right(), 900 + dx);

        // The sender block: the shop's name centred in 50..950, the
        // address and the TEL line below it.
        const QRectF shopName = only(pdf, 1, u("サビオン自動車"));
        EXPECT_NEAR(shopName.center().x(), 500 + dx, kHalfMillimetre);
        EXPECT_NEAR(shopName.center().y(), 620 + dy, kHalfMillimetre);
        const QRectF shopAddress = only(pdf, 1, u("東京都品川区大井１－２－３"));
        EXPECT_NEAR(shopAddress.left(), 150 + dx, kHalfMillimetre);
        EXPECT_NEAR(shopAddress.top(), 650 + dy, kHalfMillimetre);
        const QRectF tel = only(pdf, 1, u("TEL"));
        EXPECT_NEAR(tel.left(), 150 + dx, kHalfMillimetre);
        EXPECT_NEAR(tel.top(), 690 + dy, kHalfMillimetre);

        // Page 2: no postal code, no digits; the honorific on line 2.
        for (const auto& word : pdf.words)
            EXPECT_FALSE(word.page == 2 && word.box.top() < 250 + dy) << word.text.toStdString();
        EXPECT_NEAR(only(pdf, 2, u("佐藤商店")).top(), 450 + dy, kHalfMillimetre);
        EXPECT_NEAR(only(pdf, 2, u("経理部")).top(), 490 + dy, kHalfMillimetre);
        EXPECT_NEAR(only(pdf, 2, u("御中")).top(), 490 + dy, kHalfMillimetre);
    }
}

TEST(PostcardAddressPrintout, DigitsInTheirBoxesAndTheSenderFramedDownToTheTelLine)
{
    Addressees addressees({yamada()});
    PostcardSender sender = shop();
    RecordingPaintDevice one;
    PostcardAddressPrintout single(addressees, sender, {}, u("顧客 はがき宛先"));
    recordPages(single, one);
    sender.address2 = u("大井ビル");
    RecordingPaintDevice two;
    PostcardAddressPrintout twoLines(addressees, sender, {}, u("顧客 はがき宛先"));
    recordPages(twoLines, two);

    const auto frameOf = [](const RecordingPaintDevice& device) {
        std::vector<QRectF> frames;
        for (const DrawnShape& shape : device.shapesOn(1))
            if (shape.kind == DrawnShape::Rect && shape.pen.isValid())
                frames.push_back(shape.rect);
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? QRectF() : frames.front();
    };
    EXPECT_NEAR(frameOf(one).left(), 50, 1);
    EXPECT_NEAR(frameOf(one).right(), 950, 1);
    EXPECT_NEAR(frameOf(one).top(), 590, 1);
    EXPECT_NEAR(frameOf(one).bottom(), 730, 1);  // address line and TEL line
    EXPECT_NEAR(frameOf(two).bottom(), 770, 1);  // one line more
    EXPECT_EQ(two.find(1, u("大井ビル")).size(), 1u);

    // Each postal digit alone in its box, its top at 145.
    const char* digits[] = {"1", "2", "3", "4", "5", "6", "7"};
    for (int i = 0; i < 7; ++i) {
        const auto found = one.find(1, u(digits[i]));
        ASSERT_EQ(found.size(), 1u) << digits[i];
        EXPECT_NEAR(found.front().baseline.x(), PostcardSide::kDigitX[i], 0.5);
        EXPECT_NEAR(found.front().extent().top(), 145, 1);
    }
}

TEST(PostcardAddressPrintout, SampleCardHasNinesAndCrossLines)
{
    PostcardAddressPrintout sample(shop(), {}, u("顧客 はがき宛先テスト"));
    ASSERT_EQ(sample.pageCount(), 1);
    RecordingPaintDevice device;
    recordPages(sample, device);
    EXPECT_EQ(device.find(1, u("9")).size(), 7u);
    const auto addresses = device.find(1, u("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ"));
    ASSERT_EQ(addresses.size(), 2u);
    EXPECT_NEAR(addresses[0].baseline.x(), 370, 0.5);
    const QString all = device.allText(1);
    EXPECT_TRUE(all.contains(u("ＸＸＸＸＸＸＸＸＸＸ 様")));
}

TEST(AddressLabelPrintout, LabelsFromTheStartPositionAndCutToTheirWidth)
{
    std::vector<PostcardAddress> list;
    for (int i = 0; i < 20; ++i) {
        PostcardAddress address = yamada();
        address.name1 = u("顧客%1").arg(i + 1);
        list.push_back(address);
    }
    list[0].address1 = u("北海道札幌市中央区北一条西二丁目三番地四号五六七八九十ビル");
    Addressees addressees(list);
    const LabelSheet sheet{6, 2, 420, 860, 150, 120, 20, 40};
    const LabelPlan plan(sheet, 3, 2, addressees.count());
    const auto font = AddressLabelPrintout::fontOfPoints(u("ＭＳ Ｐゴシック"), 9);
    EXPECT_EQ(font.height, 32);
    AddressLabelPrintout printout(addressees, plan, font, u("顧客 宛先シール"));
    EXPECT_EQ(printout.layout().paper, QPageSize::A4);
    ASSERT_EQ(printout.pageCount(), 3);
    RecordingPaintDevice device;
    recordPages(printout, device);

    const auto nameAt = [&](int page, int customer) {
        const auto found = device.find(page, u("顧客%1 様").arg(customer));
        EXPECT_EQ(found.size(), 1u) << customer;
        return found.empty() ? DrawnText{} : found.front();
    };
    // The first label in row 3, column 2 of page 1.
    const QRect first = sheet.label(2, 1);
    const DrawnText postal = device.find(1, u("〒123-4567")).front();
    EXPECT_NEAR(postal.extent().top(), first.top() + AddressLabelPrintout::kInset, 1);
    EXPECT_NEAR(postal.baseline.x(), first.left() + AddressLabelPrintout::kInset, 0.5);
    EXPECT_NEAR(nameAt(1, 1).baseline.x(), first.left() + AddressLabelPrintout::kInset, 0.5);
    EXPECT_NEAR(nameAt(1, 7).baseline.x(), sheet.label(5, 1).left() + AddressLabelPrintout::kInset, 0.5);
    EXPECT_NEAR(nameAt(2, 8).baseline.x(), sheet.label(0, 0).left() + AddressLabelPrintout::kInset, 0.5);
    nameAt(2, 19);
    nameAt(3, 20);
    EXPECT_TRUE(device.find(1, u("顧客8 様")).empty());

    // Nothing runs outside its label.
    for (int page = 1; page <= 3; ++page) {
        for (const DrawnText& text : device.textsOn(page)) {
            bool inside = false;
            for (const auto& label : plan.labels(page))
                inside = inside || QRectF(label.box).contains(text.extent().adjusted(0.5, 0.5, -0.5, -0.5));
            EXPECT_TRUE(inside) << text.text.toStdString() << " on page " << page;
        }
    }
    const auto cut = device.textsOn(1);
    const bool cutAtACharacter = std::any_of(cut.begin(), cut.end(), [](const DrawnText& text) {
        return text.text.startsWith(u("北海道札幌市")) && text.text.size() < 28;
    });
    EXPECT_TRUE(cutAtACharacter);
}

TEST(PostcardBackPrintout, PictureFillsNinetyByOneHundredThirtyAtTheBackShiftOnEveryCopy)
{
    kv::data::PrintPositions positions;
    positions.postcard = {11, 22, 30, -20}; // address down, right; back down, right
    EXPECT_EQ(PostcardShift::addressSide(positions), (PostcardShift{11, 22}));
    const PostcardShift shift = PostcardShift::backSide(positions);
    EXPECT_EQ(shift, (PostcardShift{30, -20}));

    QImage picture(90, 130, QImage::Format_RGB32);
    picture.fill(Qt::red);
    PostcardBackPrintout printout(picture, shift, 50, u("顧客 はがき裏面"));
    EXPECT_EQ(printout.pageCount(), 50);
    EXPECT_EQ(printout.layout().paper, QPageSize::Postcard);
    // 254 dots an inch: a dot is a tenth of a millimetre.
    for (int page : {1, 50}) {
        const QImage card = PrintRunner::image(printout, page, 254);
        const auto red = [&](int x, int y) { return card.pixelColor(x, y) == QColor(Qt::red); };
        // From (-20, 30): x 0..880 (the left 2 mm off the card), y 30..1330.
        EXPECT_TRUE(red(5, 35)) << page;
        EXPECT_TRUE(red(875, 1325)) << page;
        EXPECT_FALSE(red(5, 25)) << page;
        EXPECT_FALSE(red(885, 500)) << page;
        EXPECT_FALSE(red(500, 1335)) << page;
    }
    // Without a picture the card stays white.
    PostcardBackPrintout empty(QImage(), shift, 1, u("顧客 はがき裏面"));
    const QImage blank = PrintRunner::image(empty, 1, 100);
    EXPECT_EQ(blank.pixelColor(blank.width() / 2, blank.height() / 2), QColor(Qt::white));
}

namespace {

ReminderPrintout sampleReminder(bool withCosts, bool agencyTaxable, bool preview,
                                PostcardShift shift = {})
{
    const ReminderCard card = ReminderPrintout::sampleCard(withCosts);
    return ReminderPrintout(1, [card](int) { return std::optional<ReminderCard>(card); }, shop(), shift,
                            agencyTaxable, preview, u("車検入庫予定車輌 はがき宛先テスト"));
}

// The lines drawn between top and bottom.
std::vector<QLineF> linesOf(const RecordingPaintDevice& device, double top = 1000, double bottom = 1480)
{
    std::vector<QLineF> lines;
    for (const DrawnShape& shape : device.shapesOn(1))
        if (shape.kind == DrawnShape::Line && shape.line.y1() >= top && shape.line.y1() <= bottom)
            lines.push_back(shape.line);
    return lines;
}

} // namespace

TEST(ReminderPrintout, SampleCardInPdfWithTheCostsBlock)
{
    ReminderPrintout printout = sampleReminder(true, true, false, PostcardShift{10, 20});
    kv::test::TempFolder temp;
    const PdfWords pdf = pdfOf(printout, temp);
    ASSERT_EQ(pdf.pages.size(), 1u);
    const double dx = 20;
    const double dy = 10;
    const auto near = [&](const QRectF& box, double left, double top) {
        EXPECT_NEAR(box.left(), left + dx, kHalfMillimetre);
        EXPECT_NEAR(box.top(), top + dy, kHalfMillimetre);
    };
    // Nine in every postal box, the addressee from x 370 at 280 and 400.
    near(only(pdf, 1, u("999")), 454, 145);
    near(only(pdf, 1, u("9999")), 669, 145);
    const auto addresses = pdf.find(1, u("ＸＸＸＸＸＸＸＸＸＸＸＸＸＸＸ"));
    ASSERT_EQ(addresses.size(), 2u);
    near(addresses[0].box, 370, 280);
    near(addresses[1].box, 370, 320);
    // The sender block from 540; the heading centred in 100..900 × 750..815.
    EXPECT_NEAR(only(pdf, 1, u("サビオン自動車")).center().y(), 570 + dy, kHalfMillimetre);
    near(only(pdf, 1, u("東京都品川区大井１－２－３")), 150, 600);
    const QRectF heading = only(pdf, 1, u("車検満期のご案内"));
    EXPECT_NEAR(heading.center().x(), 500 + dx, kHalfMillimetre);
    EXPECT_NEAR(heading.center().y(), 782.5 + dy, kHalfMillimetre);
    // The vehicle lines from 860, values from x 320.
    near(only(pdf, 1, u("XXXXXXXXXXXXXXXXXXXX")), 320, 860);
    near(only(pdf, 1, u("登録番号")), 150, 900);
    near(only(pdf, 1, u("ＸＸＸＸ999Ｘ9999")), 320, 900);
    near(only(pdf, 1, u("99年99月99日")), 320, 940);
    // The costs from 1010, amounts right-aligned at 450 and 830.
    near(only(pdf, 1, u("自賠責料")), 150, 1010);
    const auto amounts = pdf.find(1, u("999,999"));
    ASSERT_EQ(amounts.size(), 6u);
    int atLeft = 0;
    int atRight = 0;
    for (const auto& amount : amounts) {
        atLeft += std::abs(amount.box.right() - (450 + dx)) < kHalfMillimetre ? 1 : 0;
        atRight += std::abs(amount.box.right() - (830 + dx)) < kHalfMillimetre ? 1 : 0;
    }
    EXPECT_EQ(atLeft, 2);
    EXPECT_EQ(atRight, 4);
    // With a taxable agency fee the tax takes a line, the total the next.
    near(only(pdf, 1, u("諸費用合計")), 500, 1130);
}

TEST(ReminderPrintout, BracketTotalLineCaptionsAndTheBlockLeftOut)
{
    RecordingPaintDevice taxable;
    ReminderPrintout withTax = sampleReminder(true, true, false);
    recordPages(withTax, taxable);
    const std::vector<QLineF> expected = {QLineF(500, 1070, 520, 1070), QLineF(500, 1070, 500, 1110),
                                          QLineF(500, 1110, 520, 1110), QLineF(150, 1130, 830, 1130)};
    EXPECT_EQ(linesOf(taxable), expected);
    // The heading is underlined.
    EXPECT_FALSE(linesOf(taxable, 800, 830).empty());
    EXPECT_EQ(taxable.find(1, u("消  費  税")).size(), 1u);
    EXPECT_EQ(taxable.find(1, u("車       名")).size(), 1u);

    // Without a taxable agency fee: no tax line, no bracket, the total higher.
    RecordingPaintDevice untaxed;
    ReminderPrintout withoutTax = sampleReminder(true, false, true);
    recordPages(withoutTax, untaxed);
    EXPECT_EQ(linesOf(untaxed), (std::vector<QLineF>{QLineF(150, 1090, 830, 1090)}));
    EXPECT_TRUE(untaxed.find(1, u("消 費 税")).empty());
    // The preview's captions.
    EXPECT_EQ(untaxed.find(1, u("車      名")).size(), 1u);
    EXPECT_EQ(untaxed.find(1, u("満 了 日")).size(), 1u);
    EXPECT_EQ(untaxed.find(1, u("重 量 税")).size(), 1u);

    // Without the costs the card ends after the expiry line.
    RecordingPaintDevice plain;
    ReminderPrintout noCosts = sampleReminder(false, true, false);
    recordPages(noCosts, plain);
    EXPECT_TRUE(linesOf(plain).empty());
    for (const DrawnText& text : plain.textsOn(1))
        EXPECT_LT(text.extent().bottom(), 990) << text.text.toStdString();
    EXPECT_EQ(plain.find(1, u("99年99月99日")).size(), 1u);
}
