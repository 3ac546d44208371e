// The delivery note of an invoice issuer: the registration number, the
// rate's taxable total with its tax and the costs outside it, in room the
// slip leaves free; nothing of it on other slips or without a number.
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
using kv::test::slipPrintSample;
using kv::test::u;

namespace {

// The sample's inspection: 31,111 of parts and labour and a taxable agency
// fee of 10,000 at 10 %, 17,650 of insurance, 16,400 + 1,800 of weight tax
// and stamps.
SlipPrintData invoiceSample()
{
    SlipPrintData data = slipPrintSample(4);
    data.registrationNumber = QStringLiteral("T7000012050002");
    data.taxRate = 1000;
    data.copies = {false, false, true};
    return data;
}

QStringList textsOf(const SlipPrintData& data)
{
    SlipPrintout printout(data);
    kv::test::RecordingPaintDevice device;
    QPainter painter(&device);
    PrintRunner::paintPage(printout, 1, painter, device);
    painter.end();
    QStringList texts;
    for (const kv::test::DrawnText& t : device.textsOn(1))
        texts << t.text;
    return texts;
}

bool overlaps(const QRectF& a, const QRectF& b)
{
    const QRectF both = a.intersected(b);
    return both.width() > 0.5 && both.height() > 0.5;
}

} // namespace

TEST(InvoicePrintout, PdfCarriesTheInvoiceFiguresClearOfOtherText)
{
    kv::test::TempFolder temp;
    const QString path = temp.file(QStringLiteral("invoice.pdf"));
    SlipPrintout printout(invoiceSample());
    QString error;
    ASSERT_TRUE(PrintRunner::writePdf(printout, path, &error)) << error.toStdString();
    const auto pdf = kv::test::PdfWords::read(path);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();

    for (const char* wanted : {"T7000012050002", "10%対象", "41,111円", "消費税(10%)", "4,111円",
                               "非課税(自賠責)", "17,650円", "不課税(重量税・印紙等)", "18,200円"}) {
        const auto found = pdf.find(1, u(wanted));
        ASSERT_EQ(found.size(), 1u) << wanted;
        const kv::test::PdfWord& word = found.front();
        EXPECT_LT(word.box.bottom(), 2970) << wanted;
        for (const kv::test::PdfWord& other : pdf.words) {
            if (other.page == 1 && other.text != word.text) {
                EXPECT_FALSE(overlaps(word.box, other.box))
                    << wanted << " overlaps " << other.text.toStdString();
            }
        }
    }
    // Beside the shop, under its telephone line.
    const QRectF number = pdf.find(1, QStringLiteral("T7000012050002")).front().box;
    const QRectF tel = pdf.find(1, QStringLiteral("03-0000-0000")).front().box;
    EXPECT_GT(number.top(), tel.bottom() - 1);
    EXPECT_LT(number.bottom(), 580);
}

TEST(InvoicePrintout, OnlyAnIssuersDeliveryNoteIsAnInvoice)
{
    const QStringList invoice = textsOf(invoiceSample());
    EXPECT_TRUE(invoice.contains(u("登録番号 T7000012050002")));
    EXPECT_TRUE(invoice.contains(u("10%対象")));
    EXPECT_FALSE(invoice.contains(u("（修正）")));

    SlipPrintData plain = invoiceSample();
    plain.registrationNumber.clear();
    SlipPrintData estimate = invoiceSample();
    estimate.slip.m_DenKind = 3;
    estimate.copies = {false, true, false};
    for (const SlipPrintData& data : {plain, estimate}) {
        const QStringList texts = textsOf(data);
        for (const QString& text : texts) {
            EXPECT_FALSE(text.contains(u("登録番号")) || text.contains(u("%対象"))
                         || text.contains(u("課税(")))
                << text.toStdString();
        }
        // Everything else the slip prints stays as it was.
        EXPECT_TRUE(texts.contains(QStringLiteral("71,072")));
    }

    // Nothing taxable: no line of the rate, the costs apart all the same.
    SlipPrintData untaxed = invoiceSample();
    untaxed.slip.m_BuhiKouTot = 0;
    untaxed.slip.m_DaikoZeiFlag = 0;
    untaxed.corrected = true;
    const QStringList texts = textsOf(untaxed);
    EXPECT_FALSE(texts.contains(u("10%対象")));
    EXPECT_TRUE(texts.contains(u("17,650円")));
    EXPECT_TRUE(texts.contains(u("28,200円"))) << "the unticked agency fee is outside the tax";
    EXPECT_TRUE(texts.contains(u("（修正）")));
}

TEST(InvoicePrintout, InvoicePageLooksAsReviewed)
{
    SlipPrintData data = invoiceSample();
    data.corrected = true;
    SlipPrintout printout(data);
    const QImage page = PrintRunner::image(printout, 1, 100);
    EXPECT_TRUE(kv::test::GoldenImage::matches(page, QStringLiteral("slips/invoice-page1"),
                                               {48, 0.004}));
}
