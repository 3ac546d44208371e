#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "controls/TypedListModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kv;

class ListCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.resize(400, 200);
        m_list.setColumns({{QStringLiteral("ｺｰﾄﾞ"), 60, Qt::AlignRight},
                           {QStringLiteral("名称"), 150},
                           {QStringLiteral("単価"), 80, Qt::AlignRight}});
        m_list.addRow({QStringLiteral("1"), QStringLiteral("オイル交換"), QStringLiteral("1,500")}, 1);
        m_list.addRow({QStringLiteral("25"), QStringLiteral("タイヤ"), QStringLiteral("8,000")}, 25);
        m_list.addRow({QStringLiteral("300"), QStringLiteral("ワイパー")}, 300);
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    QColor pixelOfRow(int row, int column)
    {
        const QRect cell = m_list.visualRect(m_list.rows()->index(row, column));
        return m_list.viewport()->grab().toImage().pixelColor(cell.center());
    }

    CListCtrlEx m_list;
};

TEST_F(ListCtrl, RowsKeepTheirCodesAndCells)
{
    EXPECT_EQ(m_list.rowCount(), 3);
    EXPECT_EQ(m_list.codeOfRow(1), 25);
    EXPECT_EQ(m_list.codeOfRow(3), 0);
    EXPECT_EQ(m_list.cellText(2, 1), QStringLiteral("ワイパー"));
    EXPECT_EQ(m_list.cellText(2, 2), QString());
    EXPECT_EQ(m_list.currentRow(), -1);
    m_list.selectRow(2);
    EXPECT_EQ(m_list.currentRow(), 2);
    m_list.clearRows();
    EXPECT_EQ(m_list.rowCount(), 0);
    EXPECT_EQ(m_list.currentRow(), -1);
}

TEST_F(ListCtrl, ArrowKeysMoveTheSelectedRow)
{
    m_list.setFocus();
    m_list.selectRow(0);
    QTest::keyClick(&m_list, Qt::Key_Down);
    EXPECT_EQ(m_list.currentRow(), 1);
    QTest::keyClick(&m_list, Qt::Key_End);
    EXPECT_EQ(m_list.currentRow(), 2);
}

TEST_F(ListCtrl, RowsAreCreamAndTheSelectedRowGreenOnEveryColumn)
{
    m_list.selectRow(1);
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(pixelOfRow(0, column), ListRowDelegate::rowBackground()) << column;
        EXPECT_EQ(pixelOfRow(1, column), ListRowDelegate::selectedBackground()) << column;
    }
    // The frame runs along the selected row's top edge.
    const QRect cell = m_list.visualRect(m_list.rows()->index(1, 1));
    EXPECT_EQ(m_list.viewport()->grab().toImage().pixelColor(cell.center().x(), cell.top()),
              ListRowDelegate::selectedFrame());
}

TEST_F(ListCtrl, ColumnWidthIsReportedOnceWhenTheUserReleasesTheDivider)
{
    QSignalSpy chosen(&m_list, &CListCtrlEx::columnWidthChosen);
    m_list.setColumnWidth(1, 120);
    EXPECT_EQ(chosen.count(), 0);

    QWidget* header = m_list.header()->viewport();
    const int divider = m_list.header()->sectionViewportPosition(0) + m_list.columnWidth(0) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(divider, y));
    QTest::mouseMove(header, QPoint(divider + 20, y));
    QTest::mouseMove(header, QPoint(divider + 40, y));
    EXPECT_EQ(chosen.count(), 0);
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(divider + 40, y));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.front().at(0).toInt(), 0);
    EXPECT_EQ(chosen.front().at(1).toInt(), m_list.columnWidth(0));
    EXPECT_GT(m_list.columnWidth(0), 60);
}

struct Part {
    int code = 0;
    QString name;
};

TEST(ListCtrlModel, ShowsATypedModelAndKeepsTheUsersWidthsWhenRefilled)
{
    CListCtrlEx list;
    auto* parts = new TypedListModel<Part>(
        {{QStringLiteral("ｺｰﾄﾞ"), 60, Qt::AlignRight,
          [](const Part& part) { return QString::number(part.code); }},
         {QStringLiteral("名称"), 150, Qt::AlignLeft, &Part::name}},
        &Part::code);
    parts->replaceAll({{7, QStringLiteral("オイル")}, {12, QStringLiteral("タイヤ")}});
    list.setRows(parts);
    EXPECT_EQ(parts->parent(), &list);
    EXPECT_EQ(list.rows(), parts);
    EXPECT_EQ(list.columnWidth(0), 60);
    EXPECT_EQ(list.columnWidth(1), 150);
    EXPECT_EQ(list.rowOfCode(12), 1);
    EXPECT_EQ(list.codeOfRow(0), 7);
    EXPECT_EQ(list.cellText(1, 1), QStringLiteral("タイヤ"));

    // A refill drops the selection, telling whoever follows it.
    list.selectRow(1);
    QSignalSpy current(list.selectionModel(), &QItemSelectionModel::currentRowChanged);
    list.setColumnWidth(1, 90);
    parts->replaceAll({{3, QStringLiteral("ワイパー")}});
    EXPECT_EQ(list.currentRow(), -1);
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(list.columnWidth(1), 90);
    EXPECT_EQ(list.rowOfCode(12), -1);

    // New columns bring their own widths.
    parts->setColumns({{QStringLiteral("名称"), 70, Qt::AlignLeft, &Part::name}});
    EXPECT_EQ(list.columnWidth(0), 70);
    EXPECT_EQ(list.cellText(0, 0), QStringLiteral("ワイパー"));
    list.clearRows();
    EXPECT_EQ(parts->rowCount(), 0);

    // Back to plain texts.
    list.setColumns({{QStringLiteral("名称"), 110}});
    list.addRow({QStringLiteral("バッテリー")}, 40);
    EXPECT_EQ(list.rowOfCode(40), 0);
    EXPECT_EQ(list.columnWidth(0), 110);
    EXPECT_EQ(parts->rowCount(), 0);
}

} // namespace
