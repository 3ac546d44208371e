// The slip's line grid driven by keys: typing a line, item codes, the row
// commands, moving around and a refused value.

#include "slips/ui/CMeisaiScView.h"

#include "StoredLine.h"

#include "controls/CEditEx.h"
#include "data/settings/DefaultSettings.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using kv::slips::CMeisaiScView;
using kv::test::storedLine;

namespace {

class LineGridTest : public ::testing::Test {
protected:
    kv::test::TempFolder profileFolder;
    QSettings profile{profileFolder.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    kv::test::RecordingMessageGateway messages;
    std::map<int, kv::masters::ItemRecord> items;
    std::unique_ptr<CMeisaiScView> grid;
    kv::CEditEx* editor = nullptr;
    std::unique_ptr<QSignalSpy> totals;

    void SetUp() override { open(); }

    void open()
    {
        grid = std::make_unique<CMeisaiScView>(&profile);
        grid->setCategories(kv::data::DefaultSettings::categories());
        grid->setRates(8000, 10000);
        grid->setItemLookup([this](int code) -> std::optional<kv::masters::ItemRecord> {
            const auto found = items.find(code);
            if (found == items.end())
                return std::nullopt;
            return found->second;
        });
        grid->resize(700, 20 * grid->rowHeight());
        grid->show();
        QApplication::setActiveWindow(grid.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
        grid->focusCurrentCell();
        editor = grid->findChild<kv::CEditEx*>();
        ASSERT_NE(editor, nullptr);
        totals = std::make_unique<QSignalSpy>(grid.get(), &CMeisaiScView::linesChanged);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(editor, key, modifiers);
    }
    void typeAndEnter(const QString& text)
    {
        QTest::keyClicks(editor, text);
        key(Qt::Key_Return);
    }
    std::pair<int, int> cell() const { return {grid->currentRow(), grid->currentColumn()}; }
    std::pair<int, int> lastTotals() const
    {
        if (totals->isEmpty())
            return {-1, -1};
        const QList<QVariant> last = totals->last();
        return {last.at(0).toInt(), last.at(1).toInt()};
    }
};

TEST_F(LineGridTest, TypedLineComputesItsAmountAndTheTotals)
{
    editor->insert(QStringLiteral("エンジンオイル"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(), std::make_pair(0, 1));
    typeAndEnter(QStringLiteral("11"));
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("油脂"));
    typeAndEnter(QStringLiteral("0.5"));
    typeAndEnter(QStringLiteral("2.5"));
    typeAndEnter(QStringLiteral("1000"));
    EXPECT_EQ(cell(), std::make_pair(0, 5));
    EXPECT_EQ(grid->cellText(0, 4), QStringLiteral("1,000"));
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("2,500"));
    EXPECT_EQ(grid->cellText(0, 6), QStringLiteral("4,000"));
    EXPECT_EQ(lastTotals(), std::make_pair(2500, 4000));

    // Enter through the amount keeps it; after column 6 the next row.
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_EQ(cell(), std::make_pair(1, 0));
    EXPECT_EQ(lastTotals(), std::make_pair(2500, 4000));

    int parts = 0;
    int labour = 0;
    ASSERT_TRUE(grid->checkLines(&parts, &labour));
    EXPECT_EQ(parts, 2500);
    EXPECT_EQ(labour, 4000);
    std::vector<kv::data::SyaJnlRow> stored;
    ASSERT_TRUE(grid->storedLines(&stored));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].m_Suuryo, 25);
    EXPECT_EQ(stored[0].m_Sisu, 5);
    EXPECT_EQ(stored[0].m_Kubun, 11);
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(LineGridTest, ItemCodeFillsTheRow)
{
    items[12] = {12, QStringLiteral("ワイパーブレード"), QStringLiteral("ﾜ"), 5, 1200};
    grid->setCurrentCell(3, 0);
    grid->focusCurrentCell();
    typeAndEnter(QStringLiteral("12"));
    EXPECT_EQ(cell(), std::make_pair(3, 1));
    EXPECT_EQ(grid->cellText(3, 0), QStringLiteral("ワイパーブレード"));
    EXPECT_EQ(grid->cellText(3, 1), QStringLiteral("交換"));
    EXPECT_EQ(grid->cellText(3, 4), QStringLiteral("1,200"));

    // An unknown code stays as typed.
    grid->setCurrentCell(4, 0);
    grid->focusCurrentCell();
    typeAndEnter(QStringLiteral("77"));
    EXPECT_EQ(grid->cellText(4, 0), QStringLiteral("77"));
}

TEST_F(LineGridTest, RowCommandsMoveRows)
{
    grid->load({storedLine(0, QStringLiteral("a"), 0, 0, 0, 0, 100), storedLine(1, QStringLiteral("b"), 0, 0, 0, 0, 200),
                storedLine(2, QStringLiteral("c"), 0, 0, 0, 0, 400)});
    grid->setCurrentCell(1, 0);
    grid->focusCurrentCell();

    key(Qt::Key_F6);
    EXPECT_EQ(grid->cellText(1, 0), QString());
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("b"));
    EXPECT_EQ(grid->cellText(3, 5), QStringLiteral("400"));
    EXPECT_EQ(lastTotals(), std::make_pair(700, 0));

    key(Qt::Key_Down);
    key(Qt::Key_F7);
    EXPECT_EQ(grid->cellText(2, 0), QStringLiteral("c"));
    EXPECT_EQ(grid->cellText(3, 0), QString());
    EXPECT_EQ(lastTotals(), std::make_pair(500, 0));

    key(Qt::Key_Up);
    key(Qt::Key_F9);
    EXPECT_EQ(grid->cellText(1, 0), QStringLiteral("b"));
    EXPECT_EQ(grid->cellText(1, 5), QStringLiteral("200"));
    EXPECT_EQ(lastTotals(), std::make_pair(700, 0));
    EXPECT_EQ(cell(), std::make_pair(1, 0));
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(LineGridTest, MovementKeys)
{
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        int column;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::ControlModifier, 4, 0},
        {Qt::Key_Down, Qt::ControlModifier, 8, 0},
        {Qt::Key_Up, Qt::NoModifier, 7, 0},
        {Qt::Key_Right, Qt::NoModifier, 7, 1},
        {Qt::Key_Right, Qt::ControlModifier, 7, 6},
        {Qt::Key_Tab, Qt::NoModifier, 8, 0},
        {Qt::Key_Tab, Qt::ShiftModifier, 7, 6},
        {Qt::Key_Left, Qt::NoModifier, 7, 5},
        {Qt::Key_Left, Qt::ControlModifier, 7, 0},
        {Qt::Key_Left, Qt::NoModifier, 6, 6},
        {Qt::Key_Up, Qt::ControlModifier, 2, 6},
        {Qt::Key_Up, Qt::ControlModifier, 0, 6},
        {Qt::Key_Up, Qt::NoModifier, 0, 6},
        {Qt::Key_End, Qt::ControlModifier, 89, 6},
        {Qt::Key_Down, Qt::NoModifier, 89, 6},
        {Qt::Key_Return, Qt::NoModifier, 89, 6},
        {Qt::Key_Down, Qt::ControlModifier, 89, 6},
        {Qt::Key_Home, Qt::ControlModifier, 0, 6},
        {Qt::Key_Return, Qt::ShiftModifier, 0, 5},
    };
    for (const Step& step : steps) {
        key(step.key, step.modifiers);
        EXPECT_EQ(cell(), std::make_pair(step.row, step.column))
            << "after key " << step.key << " with " << int(step.modifiers);
    }

    const int page = grid->height() / grid->rowHeight();
    key(Qt::Key_PageDown);
    EXPECT_GT(grid->currentRow(), 4);
    EXPECT_LT(grid->currentRow(), page);
    key(Qt::Key_PageUp);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(LineGridTest, CaretKeepsArrowsInsideTheText)
{
    editor->insert(QStringLiteral("abc"));
    editor->setCursorPosition(1);
    key(Qt::Key_Right);
    EXPECT_EQ(cell(), std::make_pair(0, 0));
    EXPECT_EQ(editor->cursorPosition(), 2);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(cell(), std::make_pair(0, 1));
    key(Qt::Key_Left);
    EXPECT_EQ(cell(), std::make_pair(0, 0));
    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("abc"));
    key(Qt::Key_Left);
    EXPECT_EQ(cell(), std::make_pair(0, 0)) << "the caret moves first";

    // Esc gives back the text the cell had when it was entered.
    key(Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral("xyz"));
    EXPECT_EQ(editor->text(), QStringLiteral("abcxyz"));
    key(Qt::Key_Escape);
    EXPECT_EQ(editor->text(), QStringLiteral("abc"));
}

TEST_F(LineGridTest, OutOfRangeQuantityKeepsTheFocus)
{
    grid->setCurrentCell(2, 3);
    grid->focusCurrentCell();
    typeAndEnter(QStringLiteral("1000"));
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("-999.9から999.9迄を入力して下さい！")});
    EXPECT_EQ(cell(), std::make_pair(2, 3));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->text(), QString());

    messages.clear();
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(cell(), std::make_pair(6, 3)) << "the emptied cell may be left";
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(LineGridTest, BrowsingKeepsATypedAmountAChangeRecomputesIt)
{
    grid->setCurrentCell(0, 3);
    grid->focusCurrentCell();
    typeAndEnter(QStringLiteral("2"));
    typeAndEnter(QStringLiteral("500"));
    typeAndEnter(QStringLiteral("777"));
    EXPECT_EQ(lastTotals(), std::make_pair(777, 0));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("777"));
    EXPECT_EQ(lastTotals(), std::make_pair(777, 0));

    // A price changed is a new amount, whatever key leaves it.
    key(Qt::Key_Left);
    QTest::keyClicks(editor, QStringLiteral("600"));
    key(Qt::Key_Right);
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("1,200"));
    EXPECT_EQ(lastTotals(), std::make_pair(1200, 0));
}

TEST_F(LineGridTest, HeaderCaptionsAndRememberedWidths)
{
    auto* header = grid->findChild<QHeaderView*>();
    ASSERT_NE(header, nullptr);
    const QStringList captions = {QString(),
                                  QStringLiteral("作 業 内 容  及び  使 用 部 品 名"),
                                  QStringLiteral("区分"),
                                  QStringLiteral("指数"),
                                  QStringLiteral("数量"),
                                  QStringLiteral("単　価"),
                                  QStringLiteral("金　額"),
                                  QStringLiteral("工　賃"),
                                  QString()};
    const int widths[] = {19, 235, 40, 40, 40, 56, 56, 56, 17};
    for (int i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(header->model()->headerData(i, Qt::Horizontal).toString(), captions[i]) << i;
        EXPECT_EQ(header->sectionSize(i), widths[i]) << i;
    }

    header->resizeSection(1, 300);
    EXPECT_EQ(profile.value(QStringLiteral("Den/MeisaiWidth")).toInt(), 300);
    EXPECT_EQ(grid->columnWidth(0), 300);
    EXPECT_EQ(editor->x(), 19 + 0) << "the focus cell is column 0";
    grid->setCurrentCell(0, 1);
    EXPECT_EQ(editor->x(), 19 + 300);

    profile.setValue(QStringLiteral("Den/KubunWidth"), 48);
    open();
    EXPECT_EQ(grid->columnWidth(0), 300);
    EXPECT_EQ(grid->columnWidth(1), 48);
}

TEST_F(LineGridTest, MouseChoosesACellAfterCheckingTheOneLeft)
{
    QWidget* cells = editor->parentWidget();
    const auto pointOf = [this](int row, int column) {
        int x = 19 + grid->columnWidth(column) / 2;
        for (int c = 0; c < column; ++c)
            x += grid->columnWidth(c);
        return QPoint(x, row * grid->rowHeight() + grid->rowHeight() / 2);
    };
    QTest::mouseClick(cells, Qt::LeftButton, {}, pointOf(3, 2));
    EXPECT_EQ(cell(), std::make_pair(3, 2));
    EXPECT_TRUE(editor->hasFocus());

    QTest::keyClicks(editor, QStringLiteral("1000"));
    QTest::mouseClick(cells, Qt::LeftButton, {}, pointOf(6, 0));
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("0から999.9迄を入力して下さい！")});
    EXPECT_EQ(cell(), std::make_pair(3, 2));

    QTest::keyClicks(editor, QStringLiteral("2.55"));
    QTest::mouseClick(cells, Qt::LeftButton, {}, pointOf(6, 0));
    EXPECT_EQ(cell(), std::make_pair(6, 0));
    EXPECT_EQ(grid->cellText(3, 2), QStringLiteral("2.5"));
    EXPECT_EQ(grid->cellText(3, 6), QStringLiteral("20,000")) << "priced as on Enter";
}

TEST_F(LineGridTest, WheelMovesOneRowPerNotchWithinTheGrid)
{
    const auto turn = [this](int angle) {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor->parentWidget(), &wheel);
    };
    turn(-120);
    EXPECT_EQ(cell(), std::make_pair(1, 0));
    turn(-360);
    EXPECT_EQ(cell(), std::make_pair(4, 0));
    turn(600);
    EXPECT_EQ(cell(), std::make_pair(4, 0)) << "five rows up would leave the grid";
    turn(480);
    EXPECT_EQ(cell(), std::make_pair(0, 0));
}

} // namespace
