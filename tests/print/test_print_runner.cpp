// The print runner sends one printout to every device at the same place on
// the paper: the recording device, a PDF file read back and an image.

#include "print/PageCanvas.h"
#include "print/PagePainter.h"
#include "print/PrintFont.h"
#include "print/PrintRunner.h"
#include "support/PdfWords.h"
#include "support/RecordingPaintDevice.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>

using kv::print::PageLayout;
using kv::print::PageOffsets;
using kv::print::PagePainter;
using kv::print::PrintFont;
using kv::print::PrintRunner;
using kv::test::RecordingPaintDevice;

namespace {

// Page n: "Page<n>" in 1000..1500 × 100..200 and a black box 100..200 × 300..400.
class Sample final : public PagePainter {
public:
    Sample(int pages, PageOffsets offsets)
        : m_pages(pages)
        , m_offsets(offsets)
    {
    }
    PageLayout layout() const override
    {
        PageLayout l;
        l.jobName = QStringLiteral("sample");
        l.offsets = m_offsets;
        return l;
    }
    int pageCount() const override { return m_pages; }
    void paintPage(int page, QPainter& painter) override
    {
        PrintFont font;
        font.height = 60;
        painter.setFont(font.toQFont());
        painter.setPen(Qt::black);
        painter.drawText(QRectF(1000, 100, 500, 100), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Page%1").arg(page));
        painter.fillRect(QRectF(100, 300, 100, 100), Qt::black);
    }

private:
    int m_pages;
    PageOffsets m_offsets;
};

PageOffsets moved(int left, int top)
{
    PageOffsets o;
    o.left = left;
    o.top = top;
    return o;
}

std::vector<kv::test::DrawnShape> filled(const RecordingPaintDevice& device, int page)
{
    std::vector<kv::test::DrawnShape> out;
    for (const auto& s : device.shapesOn(page))
        if (s.brush.isValid())
            out.push_back(s);
    return out;
}

} // namespace

TEST(PrintRunner, PositiveTopMovesDownAndPositiveLeftMovesLeft)
{
    Sample printout(2, moved(50, 30));
    RecordingPaintDevice device;
    QPainter painter(&device);
    PrintRunner::paintPage(printout, 1, painter, device);
    device.nextPage();
    PrintRunner::paintPage(printout, 2, painter, device);
    painter.end();

    for (int page = 1; page <= 2; ++page) {
        const auto boxes = filled(device, page);
        ASSERT_EQ(boxes.size(), 1u) << page;
        EXPECT_EQ(boxes[0].rect, QRectF(50, 330, 100, 100)) << page;
        const auto texts = device.find(page, QStringLiteral("Page%1").arg(page));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NEAR(texts[0].baseline.x(), 950, 1);
    }
}

TEST(PrintRunner, PdfPagesAreThePaperAtFullSize)
{
    kv::test::TempFolder temp;
    const QString path = temp.file(QStringLiteral("sample.pdf"));
    Sample printout(3, moved(-20, 40));
    QString error;
    ASSERT_TRUE(PrintRunner::writePdf(printout, path, &error)) << error.toStdString();

    const auto pdf = kv::test::PdfWords::read(path);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), 3u);
    EXPECT_NEAR(pdf.pages[0].width(), 2100, 1);
    EXPECT_NEAR(pdf.pages[0].height(), 2970, 1);
    for (int page = 1; page <= 3; ++page) {
        const auto words = pdf.find(page, QStringLiteral("Page%1").arg(page));
        ASSERT_EQ(words.size(), 1u) << page;
        // Left aligned at 1000, moved 2 mm to the right; centred on 150,
        // moved 4 mm down.
        EXPECT_NEAR(words[0].box.left(), 1020, 5);
        EXPECT_NEAR(words[0].box.center().y(), 190, 10);
    }
}

// The printer path: a printer set up for the printout (here one that prints
// into a file) gets A4, the full page, the job name and the ink.
TEST(PrintRunner, PrinterIsSetUpForThePrintoutAndGetsEveryPage)
{
    kv::test::TempFolder temp;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp.file(QStringLiteral("printer.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);

    class BlackAndWhite final : public PagePainter {
    public:
        PageLayout layout() const override
        {
            PageLayout l = m_sample.layout();
            l.colour = false;
            return l;
        }
        int pageCount() const override { return m_sample.pageCount(); }
        void paintPage(int page, QPainter& painter) override { m_sample.paintPage(page, painter); }

    private:
        Sample m_sample{2, moved(0, 0)};
    } printout;
    PrintRunner::preparePrinter(printout, printer);
    EXPECT_TRUE(printer.fullPage());
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(printer.docName(), QStringLiteral("sample"));
    ASSERT_TRUE(PrintRunner::paint(printout, printer));

    const auto pdf = kv::test::PdfWords::read(temp.file(QStringLiteral("printer.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    ASSERT_EQ(pdf.pages.size(), 2u);
    const auto words = pdf.find(2, QStringLiteral("Page2"));
    ASSERT_EQ(words.size(), 1u);
    EXPECT_NEAR(words[0].box.left(), 1000, 5) << "the origin is the paper's corner";
}

TEST(PrintRunner, PdfThatCannotBeWrittenFails)
{
    Sample printout(1, {});
    QString error;
    EXPECT_FALSE(PrintRunner::writePdf(printout, QStringLiteral("/nonexistent-folder/x.pdf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PrintRunner, ImageIsTheWholePaperAtTheAskedResolution)
{
    Sample printout(1, moved(100, 0));
    const QImage image = PrintRunner::image(printout, 1, 100);
    EXPECT_EQ(image.size(), QSize(827, 1169));
    // The box 100..200 × 300..400 moved 10 mm to the left: 0..100 on paper.
    const auto dot = [](double tenths) { return int(tenths / 254.0 * 100); };
    EXPECT_EQ(image.pixelColor(dot(50), dot(350)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(dot(150), dot(350)), QColor(Qt::white));
}

TEST(PrintFont, FormFacesAreDrawnInTheIpaFontsStretchedToTheirWidth)
{
    EXPECT_EQ(PrintFont::familyOf(PrintFont::kGothic), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(PrintFont::familyOf(PrintFont::kMincho), QStringLiteral("IPAMincho"));
    EXPECT_EQ(PrintFont::familyOf(QString()), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(PrintFont::familyOf(QStringLiteral("Shop Face")), QStringLiteral("Shop Face"));

    PrintFont text{PrintFont::kGothic, 40, 16, false};
    EXPECT_EQ(text.stretch(), 80);
    PrintFont natural{PrintFont::kGothic, 40, 0, true};
    EXPECT_EQ(natural.stretch(), 100);
    // The package is installed and the face resolves to it, also for a
    // shop font that is not there.
    EXPECT_EQ(QFontInfo(text.toQFont()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(PrintFont{PrintFont::kMincho, 40, 0, false}.toQFont()).family(),
              QStringLiteral("IPAMincho"));
    EXPECT_EQ(QFontInfo(PrintFont{QStringLiteral("No Such Face"), 40, 0, false}.toQFont()).family(),
              QStringLiteral("IPAPGothic"));
}

namespace {

// "御請求額" in bold white on green, as the slip's total stands.
class BoldOnColour final : public PagePainter {
public:
    PageLayout layout() const override { return {}; }
    int pageCount() const override { return 1; }
    void paintPage(int, QPainter& painter) override
    {
        kv::print::PageCanvas canvas(painter);
        const QRectF box = kv::print::PageCanvas::box(200, 1400, 200, 500);
        canvas.fill(box, QColor(0, 255, 0));
        PrintFont font;
        font.height = 200;
        font.bold = true;
        canvas.setFont(font.toQFont());
        canvas.setTextColour(Qt::white);
        canvas.text(box, QStringLiteral("御請求額"), Qt::AlignHCenter);
    }
};

// The share of pixels of the box (in tenths of a millimetre) that differ
// clearly between two pictures of one page.
double differingShare(const QImage& a, const QImage& b, const QRectF& tenths, int dotsPerInch)
{
    const double scale = dotsPerInch / 254.0;
    const QRect box(int(tenths.left() * scale), int(tenths.top() * scale), int(tenths.width() * scale),
                    int(tenths.height() * scale));
    int differing = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 192)
                ++differing;
        }
    }
    return double(differing) / (box.width() * box.height());
}

int whitePixels(const QImage& image, const QRectF& tenths, int dotsPerInch)
{
    const double scale = dotsPerInch / 254.0;
    int white = 0;
    for (int y = int(tenths.top() * scale); y < int(tenths.bottom() * scale); ++y) {
        for (int x = int(tenths.left() * scale); x < int(tenths.right() * scale); ++x)
            white += image.pixelColor(x, y).red() > 200 ? 1 : 0;
    }
    return white;
}

} // namespace

TEST(PrintRunner, BoldTextIsTheSameOnThePageImageAsInThePdf)
{
    constexpr int kDpi = 150;
    kv::test::TempFolder temp;
    BoldOnColour page;
    const QString pdf = temp.file(QStringLiteral("bold.pdf"));
    ASSERT_TRUE(PrintRunner::writePdf(page, pdf));
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi),
                                              QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                              pdf, temp.file(QStringLiteral("bold"))});
    ASSERT_TRUE(raster.waitForFinished(30000) && raster.exitCode() == 0) << "poppler-utils' pdftoppm";
    const QImage fromPdf(temp.file(QStringLiteral("bold.png")));
    ASSERT_FALSE(fromPdf.isNull());
    const QImage image = PrintRunner::image(page, 1, kDpi);
    // Rounded to whole pixels each its own way.
    ASSERT_LE(std::abs(image.width() - fromPdf.width()) + std::abs(image.height() - fromPdf.height()), 2);

    const QRectF text(200, 200, 1200, 300);
    EXPECT_LT(differingShare(image, fromPdf, text, kDpi), 0.005);
    // Readable strokes, not a white block: most of the box stays green.
    const int area = int(1200 * kDpi / 254.0) * int(300 * kDpi / 254.0);
    EXPECT_GT(whitePixels(image, text, kDpi), area / 50);
    EXPECT_LT(whitePixels(image, text, kDpi), area / 3);
}
