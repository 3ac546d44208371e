#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace kv;
using Selection = ListRowDelegate::Selection;

struct Line {
    QString name;
    QString amount;
};

// The system's look, as the shop's users know it.
const QColor kCream(255, 251, 240);
const QColor kPaleGreen(192, 220, 192);
const QColor kGreen(0, 128, 0);
const QColor kGrid(192, 192, 192);

constexpr int kWidth = 120;
constexpr int kHeight = 24;

// Two cells of one row, painted side by side by the delegate.
class ListRowDelegateTest : public ::testing::Test {
protected:
    QImage paintRow(bool selected, const Line& line = {QStringLiteral("IIII"), QStringLiteral("8")})
    {
        m_model.replaceAll({line});
        QImage image(2 * kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        for (int column = 0; column < 2; ++column) {
            QStyleOptionViewItem option;
            option.rect = QRect(column * kWidth, 0, kWidth, kHeight);
            option.font = QApplication::font();
            option.fontMetrics = QFontMetrics(option.font);
            option.state = QStyle::State_Enabled;
            if (selected)
                option.state |= QStyle::State_Selected;
            m_delegate.paint(&painter, option, m_model.index(0, column));
        }
        return image;
    }

    // The first (or last) column of the cell holding a pixel that is neither
    // background nor grid: the text's ink.
    static std::optional<int> inkColumn(const QImage& image, int column, bool last = false)
    {
        const QColor background = image.pixelColor(column * kWidth + 1, 1);
        for (int i = 1; i < kWidth - 1; ++i) {
            const int x = column * kWidth + (last ? kWidth - 1 - i : i);
            for (int y = 1; y < kHeight - 1; ++y)
                if (image.pixelColor(x, y) != background)
                    return x - column * kWidth;
        }
        return std::nullopt;
    }

    static bool hasPixel(const QImage& image, int column, bool (*test)(const QColor&))
    {
        for (int x = column * kWidth + 1; x < (column + 1) * kWidth - 1; ++x)
            for (int y = 1; y < kHeight - 1; ++y)
                if (test(image.pixelColor(x, y)))
                    return true;
        return false;
    }
    static bool light(const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }
    static bool dark(const QColor& c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

    TypedListModel<Line> m_model{{{QStringLiteral("名称"), kWidth, Qt::AlignLeft, &Line::name},
                                  {QStringLiteral("金額"), kWidth, Qt::AlignRight, &Line::amount}},
                                 [](const Line&) { return 1; }};
    ListRowDelegate m_delegate;
};

TEST_F(ListRowDelegateTest, RowsAreCreamWithGreyGridLines)
{
    for (Selection selection : {Selection::Framed, Selection::Solid}) {
        m_delegate.setSelection(selection);
        const QImage image = paintRow(false);
        EXPECT_EQ(image.pixelColor(1, 1), kCream);
        EXPECT_EQ(image.pixelColor(kWidth + 1, kHeight / 2), kCream);
        EXPECT_EQ(image.pixelColor(kWidth - 1, kHeight / 2), kGrid);
        EXPECT_EQ(image.pixelColor(kWidth / 2, kHeight - 1), kGrid);
        EXPECT_EQ(image.pixelColor(2 * kWidth - 1, 1), kGrid);
        EXPECT_TRUE(hasPixel(image, 0, dark));
    }
}

TEST_F(ListRowDelegateTest, FramedSelectionIsPaleGreenInsideAGreenFrameAroundTheRow)
{
    const QImage image = paintRow(true);
    EXPECT_EQ(image.pixelColor(1, kHeight / 2 + 3), kPaleGreen);
    EXPECT_EQ(image.pixelColor(kWidth + 1, kHeight / 2 + 3), kPaleGreen);
    // Top and bottom on every cell, the sides at the row's ends only.
    EXPECT_EQ(image.pixelColor(kWidth / 2, 0), kGreen);
    EXPECT_EQ(image.pixelColor(kWidth + kWidth / 2, kHeight - 1), kGreen);
    EXPECT_EQ(image.pixelColor(0, kHeight / 2), kGreen);
    EXPECT_EQ(image.pixelColor(2 * kWidth - 1, kHeight / 2), kGreen);
    EXPECT_EQ(image.pixelColor(kWidth, kHeight / 2 + 3), kPaleGreen);
    EXPECT_EQ(image.pixelColor(kWidth - 1, kHeight / 2), kGrid);
    EXPECT_TRUE(hasPixel(image, 0, dark));
    EXPECT_FALSE(hasPixel(image, 0, light));
}

TEST_F(ListRowDelegateTest, SolidSelectionIsGreenWithWhiteTextAndNoFrame)
{
    m_delegate.setSelection(Selection::Solid);
    const QImage image = paintRow(true);
    EXPECT_EQ(image.pixelColor(1, kHeight / 2 + 3), kGreen);
    EXPECT_EQ(image.pixelColor(kWidth + 1, 1), kGreen);
    // The grid shows where the framed selection would draw its frame.
    EXPECT_EQ(image.pixelColor(2 * kWidth - 1, kHeight / 2), kGrid);
    EXPECT_EQ(image.pixelColor(kWidth / 2, kHeight - 1), kGrid);
    EXPECT_TRUE(hasPixel(image, 0, light));
    EXPECT_FALSE(hasPixel(image, 0, dark));
}

TEST_F(ListRowDelegateTest, TextKeepsTheMarginFromTheAlignedSide)
{
    m_delegate.setTextMargin(2);
    const QImage narrow = paintRow(false);
    m_delegate.setTextMargin(7);
    const QImage wide = paintRow(false);
    const auto leftNarrow = inkColumn(narrow, 0);
    const auto leftWide = inkColumn(wide, 0);
    ASSERT_TRUE(leftNarrow && leftWide);
    EXPECT_EQ(*leftWide - *leftNarrow, 5);
    EXPECT_GE(*leftNarrow, 2);
    // The right-aligned column moves away from the right edge.
    const auto rightNarrow = inkColumn(narrow, 1, true);
    const auto rightWide = inkColumn(wide, 1, true);
    ASSERT_TRUE(rightNarrow && rightWide);
    EXPECT_EQ(*rightNarrow - *rightWide, 5);
    EXPECT_GT(*rightNarrow, kWidth / 2);
}

} // namespace
