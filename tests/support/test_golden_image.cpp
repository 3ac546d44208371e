// The golden-image helper: what it lets through, what it catches, and the
// files it leaves for a reviewer.

#include "support/GoldenImage.h"
#include "support/TempFolder.h"

#include <QFileInfo>
#include <QPainter>

#include <gtest/gtest.h>

using kv::test::GoldenImage;

namespace {

// A small form: a frame, a label and a field box at x.
QImage form(int fieldX)
{
    QImage image(200, 80, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.drawRect(2, 2, 195, 75);
    painter.fillRect(QRect(fieldX, 30, 60, 20), QColor(255, 255, 200));
    painter.drawRect(QRect(fieldX, 30, 60, 20));
    painter.drawEllipse(QRect(10, 30, 20, 20));
    return image;
}

// Every pixel off by delta in its colour channels, as a different rasteriser
// might round an anti-aliased edge.
QImage shifted(QImage image, int delta)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const auto move = [&](int c) { return c >= 128 ? c - delta : c + delta; };
            line[x] = qRgba(move(qRed(line[x])), move(qGreen(line[x])), move(qBlue(line[x])),
                            qAlpha(line[x]));
        }
    }
    return image;
}

class GoldenImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qunsetenv("KV_UPDATE_GOLDEN");
        ASSERT_TRUE(golden.write(QStringLiteral("panels/form.png"), {}));
        ASSERT_TRUE(form(100).save(golden.file(QStringLiteral("panels/form.png"))));
    }
    void TearDown() override { qunsetenv("KV_UPDATE_GOLDEN"); }

    ::testing::AssertionResult check(const QImage& image, GoldenImage::Tolerance tolerance)
    {
        return GoldenImage::matches(image, QStringLiteral("panels/form"), tolerance, golden.path(),
                                    failures.path());
    }
    bool leftForReview(const char* suffix) const
    {
        return QFileInfo::exists(failures.file(QStringLiteral("panels/form.") + suffix + ".png"));
    }

    kv::test::TempFolder golden;
    kv::test::TempFolder failures;
};

TEST_F(GoldenImageTest, TheSamePictureMatchesAndLeavesNothingBehind)
{
    EXPECT_TRUE(check(form(100), {}));
    EXPECT_FALSE(leftForReview("actual"));
    EXPECT_FALSE(leftForReview("diff"));
}

TEST_F(GoldenImageTest, TheChannelToleranceAbsorbsSmallDifferencesOnly)
{
    EXPECT_TRUE(check(shifted(form(100), 6), {8, 0.0}));
    EXPECT_FALSE(check(shifted(form(100), 6), {5, 0.0}));
}

TEST_F(GoldenImageTest, AMovedOrMissingFieldFailsWithAnActualAndADiffPicture)
{
    const GoldenImage::Tolerance usual{32, 0.002};
    const auto moved = check(form(104), usual);
    EXPECT_FALSE(moved);
    EXPECT_NE(std::string(moved.message()).find("diff:"), std::string::npos) << moved.message();
    ASSERT_TRUE(leftForReview("actual"));
    ASSERT_TRUE(leftForReview("diff"));
    const QImage diff(failures.file(QStringLiteral("panels/form.diff.png")));
    EXPECT_EQ(diff.pixel(102, 40), qRgb(255, 0, 0)) << "the field's old left edge";
    EXPECT_NE(diff.pixel(150, 70), qRgb(255, 0, 0)) << "the untouched frame";

    // A field gone entirely.
    QImage missing = form(100);
    QPainter(&missing).fillRect(QRect(99, 29, 63, 23), Qt::white);
    EXPECT_FALSE(check(missing, usual));

    // A new match clears the pictures of the last failure.
    EXPECT_TRUE(check(form(100), usual));
    EXPECT_FALSE(leftForReview("actual"));
    EXPECT_FALSE(leftForReview("diff"));
}

TEST_F(GoldenImageTest, TheShareOfDifferingPixelsIsTheLimit)
{
    QImage spots = form(100);
    // 16 of 16000 pixels: a share of 0.001.
    for (int i = 0; i < 16; ++i)
        spots.setPixel(40 + i * 4, 10, qRgb(0, 0, 0));
    EXPECT_TRUE(check(spots, {32, 0.001}));
    EXPECT_FALSE(check(spots, {32, 0.0009}));
}

TEST_F(GoldenImageTest, AnotherSizeOrNoGoldenFails)
{
    const auto resized = check(form(100).copy(0, 0, 200, 79), {255, 1.0});
    EXPECT_FALSE(resized);
    EXPECT_NE(std::string(resized.message()).find("200x79"), std::string::npos) << resized.message();
    EXPECT_TRUE(leftForReview("actual"));
    EXPECT_FALSE(leftForReview("diff"));

    EXPECT_FALSE(GoldenImage::matches(form(100), QStringLiteral("none"), {}, golden.path(),
                                      failures.path()));
    EXPECT_TRUE(QFileInfo::exists(failures.file(QStringLiteral("none.actual.png"))));
    EXPECT_FALSE(QFileInfo::exists(golden.file(QStringLiteral("none.png"))));
}

TEST_F(GoldenImageTest, TheUpdateSwitchWritesTheGoldenInsteadOfComparing)
{
    qputenv("KV_UPDATE_GOLDEN", "1");
    ASSERT_TRUE(GoldenImage::updating());
    EXPECT_TRUE(check(form(140), {}));
    EXPECT_TRUE(GoldenImage::matches(form(20), QStringLiteral("new/one"), {}, golden.path(),
                                     failures.path()));
    qunsetenv("KV_UPDATE_GOLDEN");
    EXPECT_TRUE(check(form(140), {}));
    EXPECT_FALSE(check(form(100), {}));
    EXPECT_EQ(QImage(golden.file(QStringLiteral("new/one.png"))).convertToFormat(QImage::Format_ARGB32),
              form(20));
}

TEST(GoldenImageFolders, GoldenFilesLieInTheSourceTreeAndFailuresInTheBuildTree)
{
    EXPECT_TRUE(QFileInfo(GoldenImage::goldenFolder()).isDir()) << GoldenImage::goldenFolder().toStdString();
    EXPECT_TRUE(GoldenImage::goldenFolder().endsWith(QStringLiteral("/tests/golden")));
    EXPECT_TRUE(GoldenImage::failureFolder().endsWith(QStringLiteral("/tests/golden-diff")));
}

} // namespace
