#include "common/KVCommon.h"

#include <QCoreApplication>
#include <QInputMethodQueryEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr unsigned Focused = 0x1;
constexpr unsigned Selected = 0x2;

class ListViewFixture : public ::testing::Test {
protected:
    ListViewFixture()
    {
        m_model.setColumnCount(3);
        m_view.setModel(&m_model);
        m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_view.setSelectionBehavior(QAbstractItemView::SelectRows);
    }

    QString cell(int row, int column) const
    {
        return m_model.index(row, column).data(Qt::DisplayRole).toString();
    }

    QStringList firstColumn() const
    {
        QStringList texts;
        for (int r = 0; r < m_model.rowCount(); ++r)
            texts << cell(r, 0);
        return texts;
    }

    void addRows(const QStringList& texts)
    {
        for (const QString& text : texts)
            AddReport(&m_view, m_model.rowCount(), -1, text);
    }

    bool isSelected(int row) const { return m_view.selectionModel()->isRowSelected(row, {}); }

    QStandardItemModel m_model;
    QTreeView m_view;
};

TEST_F(ListViewFixture, AddReportInsertsRowsAndFillsCells)
{
    AddReport(&m_view, 0, -1, QStringLiteral("000001"));
    AddReport(&m_view, 0, 1, QStringLiteral("加藤"));
    AddReport(&m_view, 0, 2, QStringLiteral("1,234"));
    AddReport(&m_view, 1, -1, QStringLiteral("000003"));
    AddReport(&m_view, 1, -1, QStringLiteral("000002"));  // before the last one
    AddReport(&m_view, 0, -1, QStringLiteral("000000"));
    AddReport(&m_view, 99, -1, QStringLiteral("999999"));  // beyond the end: appended

    EXPECT_EQ(firstColumn(), (QStringList{"000000", "000001", "000002", "000003", "999999"}));
    EXPECT_EQ(cell(1, 1), QStringLiteral("加藤"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("1,234"));
    EXPECT_EQ(cell(0, 1), QString());

    AddReport(&m_view, 1, 1, QStringLiteral("佐藤"));  // replaces the text
    EXPECT_EQ(cell(1, 1), QStringLiteral("佐藤"));
}

TEST_F(ListViewFixture, AddReportIgnoresCellsAndRowsThatDoNotExist)
{
    addRows({"a", "b"});
    AddReport(&m_view, -1, -1, QStringLiteral("x"));
    AddReport(&m_view, 5, 1, QStringLiteral("x"));
    AddReport(&m_view, 0, 7, QStringLiteral("x"));
    AddReport(nullptr, 0, -1, QStringLiteral("x"));
    EXPECT_EQ(firstColumn(), (QStringList{"a", "b"}));
    EXPECT_EQ(m_model.columnCount(), 3);
}

TEST(AddReport, GivesAModelWithoutColumnsItsFirstColumn)
{
    QStandardItemModel model;
    QTreeView view;
    view.setModel(&model);
    AddReport(&view, 0, -1, QStringLiteral("only"));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("only"));
}

struct StateStep {
    int row;
    unsigned state;
    unsigned mask;
    std::vector<int> selectedRows;
    int currentRow;  // -1 none
};

TEST_F(ListViewFixture, AttribItemSetsSelectionAndFocusByMask)
{
    addRows({"a", "b", "c", "d"});
    const StateStep steps[] = {
        {1, Selected | Focused, Selected | Focused, {1}, 1},
        {2, Selected, Selected, {1, 2}, 1},
        {1, 0, Selected, {2}, 1},               // deselect, focus stays
        {3, Focused, Focused, {2}, 3},          // focus alone selects nothing
        {0, Selected, Focused, {2}, 3},         // bits outside the mask are ignored
        {3, 0, Focused, {2}, -1},               // focus taken away
        {2, 0, Focused, {2}, -1},               // another row's focus: no change
        {0, Selected | Focused, 0, {2}, -1},    // empty mask
        {-1, Selected, Selected, {0, 1, 2, 3}, -1},  // every row
        {-1, 0, Selected, {}, -1},
        {9, Selected | Focused, Selected | Focused, {}, -1},  // no such row
    };
    for (const StateStep& step : steps) {
        AttribItem(&m_view, step.row, 0, step.state, step.mask);
        std::vector<int> selected;
        for (int r = 0; r < m_model.rowCount(); ++r) {
            if (isSelected(r))
                selected.push_back(r);
        }
        EXPECT_EQ(selected, step.selectedRows) << "row " << step.row << " state " << step.state;
        const QModelIndex current = m_view.selectionModel()->currentIndex();
        EXPECT_EQ(current.isValid() ? current.row() : -1, step.currentRow)
            << "row " << step.row << " state " << step.state;
    }
}

TEST_F(ListViewFixture, AttribItemSelectsTheWholeRowWhateverTheColumn)
{
    addRows({"a", "b"});
    AttribItem(&m_view, 1, 2, Selected | Focused, Selected | Focused);
    for (int column = 0; column < m_model.columnCount(); ++column)
        EXPECT_TRUE(m_view.selectionModel()->isSelected(m_model.index(1, column))) << column;
    EXPECT_EQ(m_view.selectionModel()->currentIndex().row(), 1);
}

TEST_F(ListViewFixture, AttribItemKeepsOneRowSelectedInASingleSelectionList)
{
    m_view.setSelectionMode(QAbstractItemView::SingleSelection);
    addRows({"a", "b", "c"});
    AttribItem(&m_view, 0, 0, Selected, Selected);
    AttribItem(&m_view, 2, 0, Selected, Selected);
    EXPECT_FALSE(isSelected(0));
    EXPECT_TRUE(isSelected(2));
    AttribItem(&m_view, 2, 0, 0, Selected);
    EXPECT_FALSE(isSelected(2));
}

// What the platform's input method learns when it asks the focus widget.
std::pair<bool, Qt::InputMethodHints> askedByInputMethod(QWidget& widget)
{
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
    QCoreApplication::sendEvent(&widget, &query);
    return {query.value(Qt::ImEnabled).toBool(),
            Qt::InputMethodHints(query.value(Qt::ImHints).toInt())};
}

TEST(ImmSwitch, TellsThePlatformInputMethodWhetherToConvert)
{
    QLineEdit field;
    field.show();
    field.setFocus();
    ImmSwitch(&field, 0);
    auto [enabled, hints] = askedByInputMethod(field);
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(hints & Qt::ImhLatinOnly);
    ImmSwitch(&field, 1);
    std::tie(enabled, hints) = askedByInputMethod(field);
    EXPECT_TRUE(enabled);
    EXPECT_FALSE(hints & Qt::ImhLatinOnly);

    ImmSwitchKana(&field, 1);
    std::tie(enabled, hints) = askedByInputMethod(field);
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(hints & Qt::ImhNoPredictiveText);
    ImmSwitchKana(&field, 0);
    EXPECT_FALSE(askedByInputMethod(field).first);

}

TEST(ImmSwitch, OpensOnlyWhatItClosed)
{
    QLineEdit readOnly;
    readOnly.setReadOnly(true);
    ImmSwitch(&readOnly, 1);
    EXPECT_FALSE(askedByInputMethod(readOnly).first);
    ImmSwitch(&readOnly, 0);
    ImmSwitch(&readOnly, 0);
    ImmSwitch(&readOnly, 1);
    EXPECT_FALSE(askedByInputMethod(readOnly).first);

    QLineEdit password;
    password.setEchoMode(QLineEdit::Password);
    ImmSwitch(&password, 0);
    ImmSwitch(&password, 1);
    EXPECT_TRUE(password.inputMethodHints() & Qt::ImhHiddenText);
}

TEST(ImmSwitch, KeepsTheCallersOwnHints)
{
    QLineEdit field;
    field.setInputMethodHints(Qt::ImhUppercaseOnly);
    ImmSwitch(&field, 0);
    ImmSwitchKana(&field, 1);
    ImmSwitchKana(&field, 0);
    ImmSwitch(&field, 1);
    EXPECT_EQ(field.inputMethodHints(), Qt::ImhUppercaseOnly);
    ImmSwitch(nullptr, 1);
    ImmSwitchKana(nullptr, 1);
}

} // namespace
