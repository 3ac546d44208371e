#include "common/KVCommon.h"
#include "support/TempFolder.h"

#include <QBrush>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const QColor Background(Qt::white);
const QColor Fill(Qt::red);

// A 200 x 200 image with one slice of radius 80 round (100, 100), painted
// with no pen, so that only the slice's fill colours pixels.
QImage paintSlice(float start, float sweep, int* result = nullptr)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    const int r = AngleArc2(&painter, 100, 100, 80, start, sweep, QBrush(Fill));
    if (result)
        *result = r;
    return image;
}

// The pixel at a polar position round the centre (degrees counter-clockwise
// from three o'clock, y growing downwards on the image).
QColor pixelAt(const QImage& image, double degrees, double distance)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const int x = int(std::lround(100 + std::cos(a) * distance));
    const int y = int(std::lround(100 - std::sin(a) * distance));
    return image.pixelColor(x, y);
}

struct SliceCase {
    float start;
    float sweep;
    std::vector<double> inside;   // angles whose pixels are filled
    std::vector<double> outside;  // angles whose pixels are not
};

TEST(AngleArc2, FillsTheSliceCounterClockwiseFromTheStartAngle)
{
    const SliceCase cases[] = {
        {0, 90, {10, 45, 80}, {100, 180, 270, 350}},
        {90, -90, {10, 45, 80}, {100, 180, 270, 350}},  // a negative sweep ends at start
        {350, 20, {355, 0, 5}, {20, 180, 340}},         // across three o'clock
        {-10, 20, {355, 0, 5}, {20, 180, 340}},
        {45, 270, {60, 180, 300}, {0, 330, 20}},         // more than half
        {180, 3, {181.5}, {175, 186, 0}},
        {0, 360, {0, 90, 180, 270, 359}, {}},            // the whole disc
    };
    for (const SliceCase& c : cases) {
        int result = 0;
        const QImage image = paintSlice(c.start, c.sweep, &result);
        EXPECT_NE(result, 0);
        for (double angle : c.inside) {
            EXPECT_EQ(pixelAt(image, angle, 60), Fill)
                << "start " << c.start << " sweep " << c.sweep << " at " << angle;
        }
        for (double angle : c.outside) {
            EXPECT_EQ(pixelAt(image, angle, 60), Background)
                << "start " << c.start << " sweep " << c.sweep << " at " << angle;
        }
        // Nothing beyond the radius.
        EXPECT_EQ(pixelAt(image, c.inside.front(), 90), Background);
    }
}

TEST(AngleArc2, DrawsNoDiscForAnEmptySweep)
{
    const QImage image = paintSlice(30, 0);
    for (double angle : {0.0, 90.0, 180.0, 270.0})
        EXPECT_EQ(pixelAt(image, angle, 60), Background) << angle;
}

TEST(AngleArc2, LeavesTheBrushSelectedAndDrawsTheRadiusWithThePen)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::blue, 1));
    const QBrush brush(Qt::green);
    EXPECT_NE(AngleArc2(&painter, 100, 100, 80, 0, 90, brush), 0);
    EXPECT_EQ(painter.brush(), brush);
    painter.end();
    EXPECT_EQ(image.pixelColor(140, 100), QColor(Qt::blue));  // the edge at 0 degrees
    EXPECT_EQ(image.pixelColor(140, 60), QColor(Qt::green));
}

TEST(AngleArc2, RefusesAPainterThatCannotPaint)
{
    QPainter idle;
    EXPECT_EQ(AngleArc2(&idle, 0, 0, 10, 0, 90, QBrush(Fill)), 0);
    EXPECT_EQ(AngleArc2(nullptr, 0, 0, 10, 0, 90, QBrush(Fill)), 0);
}

// A picture with distinct colours in its corners, to be found again after
// each conversion.
QImage samplePicture()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 200, 200));
    QPainter painter(&image);
    painter.fillRect(0, 0, 16, 16, QColor(255, 0, 0));
    painter.fillRect(48, 32, 16, 16, QColor(0, 0, 255));
    return image;
}

bool nearColour(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

void expectSamplePicture(const QString& file, const char* format, int tolerance)
{
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), QByteArray(format)) << file.toStdString();
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << file.toStdString();
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_TRUE(nearColour(image.pixelColor(8, 8), QColor(255, 0, 0), tolerance));
    EXPECT_TRUE(nearColour(image.pixelColor(56, 40), QColor(0, 0, 255), tolerance));
    EXPECT_TRUE(nearColour(image.pixelColor(32, 24), QColor(200, 200, 200), tolerance));
}

class ImageConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(samplePicture().save(m_folder.file("source.png"), "PNG"));
    }
    QString source() const { return m_folder.file("source.png"); }

    kv::test::TempFolder m_folder;
};

TEST_F(ImageConversion, WritesEachFormatWhateverTheDestinationIsCalled)
{
    // No extension on purpose: the format comes from the function.
    EXPECT_EQ(ToBMP(source(), m_folder.file("out1")), 1);
    expectSamplePicture(m_folder.file("out1"), "bmp", 0);
    EXPECT_EQ(ToPNG(source(), m_folder.file("out2"), -1), 1);
    expectSamplePicture(m_folder.file("out2"), "png", 0);
    EXPECT_EQ(ToJPG(source(), m_folder.file("out3"), 90, 0), 1);
    expectSamplePicture(m_folder.file("out3"), "jpeg", 24);
    // And back from a converted file.
    EXPECT_EQ(ToPNG(m_folder.file("out1"), m_folder.file("back.png"), 50), 1);
    expectSamplePicture(m_folder.file("back.png"), "png", 0);
}

TEST_F(ImageConversion, TakesTheFirstJpegOptionAsQuality)
{
    ASSERT_EQ(ToJPG(source(), m_folder.file("low.jpg"), 5, 0), 1);
    ASSERT_EQ(ToJPG(source(), m_folder.file("high.jpg"), 100, 0), 1);
    ASSERT_EQ(ToJPG(source(), m_folder.file("default.jpg"), 1000, 1), 1);
    EXPECT_LT(QFileInfo(m_folder.file("low.jpg")).size(), QFileInfo(m_folder.file("high.jpg")).size());
    expectSamplePicture(m_folder.file("default.jpg"), "jpeg", 24);
}

TEST_F(ImageConversion, FailsWithoutASourceOrAWriter)
{
    ASSERT_TRUE(m_folder.write("broken.png", QByteArray("\x89PNG not really")));
    const QString missing = m_folder.file("missing.png");
    const QString broken = m_folder.file("broken.png");
    for (const QString& bad : {missing, broken, QString()}) {
        EXPECT_EQ(ToBMP(bad, m_folder.file("x.bmp")), 0);
        EXPECT_EQ(ToJPG(bad, m_folder.file("x.jpg"), 80, 0), 0);
        EXPECT_EQ(ToPNG(bad, m_folder.file("x.png"), 0), 0);
        EXPECT_EQ(ToGIF(bad, m_folder.file("x.gif"), 0), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(m_folder.file("x.bmp")));
    // A destination that cannot be created.
    EXPECT_EQ(ToBMP(source(), m_folder.file("no/such/folder/x.bmp")), 0);
    // GIF is written only where Qt has a writer for it.
    const bool gifWriter = QImageWriter::supportedImageFormats().contains("gif");
    EXPECT_EQ(ToGIF(source(), m_folder.file("y.gif"), 0), gifWriter ? 1 : 0);
    EXPECT_EQ(QFileInfo::exists(m_folder.file("y.gif")), gifWriter);
}

TEST_F(ImageConversion, DIBtoOBJGivesAPixmapOfTheImage)
{
    QImage target(10, 10, QImage::Format_RGB32);
    QPixmap pixmap;
    EXPECT_EQ(DIBtoOBJ(&target, source(), &pixmap), 1);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(64, 48));
    EXPECT_EQ(pixmap.toImage().pixelColor(8, 8), QColor(255, 0, 0));

    QPixmap untouched;
    EXPECT_EQ(DIBtoOBJ(&target, m_folder.file("missing.png"), &untouched), 0);
    EXPECT_TRUE(untouched.isNull());
    EXPECT_EQ(DIBtoOBJ(&target, source(), nullptr), 0);
}

} // namespace
