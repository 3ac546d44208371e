#include "controls/TypedListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using namespace kv;

struct Customer {
    int code = 0;
    QString name;
    int visits = 0;
    QString label() const { return QStringLiteral("No.%1").arg(code); }
};

using CustomerModel = TypedListModel<Customer>;

std::vector<Customer> customers()
{
    return {{10, QStringLiteral("加藤"), 3}, {4, QStringLiteral("佐藤"), 0},
            {27, QStringLiteral("鈴木"), 12}};
}

class ListModelTest : public ::testing::Test {
protected:
    ListModelTest()
    {
        m_model.replaceAll(customers());
    }

    QString cell(int row, int column) const
    {
        return m_model.index(row, column).data(Qt::DisplayRole).toString();
    }

    CustomerModel m_model{
        {{QStringLiteral("番号"), 60, Qt::AlignRight, &Customer::label},
         {QStringLiteral("名前"), 150, Qt::AlignLeft, &Customer::name},
         {QStringLiteral("来店"), 40, Qt::AlignHCenter,
          [](const Customer& c) { return c.visits ? QString::number(c.visits) : QString(); }}},
        &Customer::code};
    // Checks every signal the model sends against the model's state.
    QAbstractItemModelTester m_tester{&m_model,
                                      QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ListModelTest, RowsAreFoundByTheCodeOfTheirRecord)
{
    EXPECT_EQ(m_model.rowOfCode(27), 2);
    EXPECT_EQ(m_model.rowOfCode(4), 1);
    EXPECT_EQ(m_model.rowOfCode(5), -1);
    ASSERT_NE(m_model.find(10), nullptr);
    EXPECT_EQ(m_model.find(10)->name, QStringLiteral("加藤"));
    EXPECT_EQ(m_model.find(11), nullptr);
    EXPECT_EQ(m_model.codeOfRow(1), 4);
    EXPECT_EQ(m_model.codeOfRow(3), 0);
    EXPECT_EQ(m_model.codeOfRow(-1), 0);

    // The look-up follows the rows as they change.
    m_model.removeRow(0);
    EXPECT_EQ(m_model.rowOfCode(27), 1);
    EXPECT_EQ(m_model.rowOfCode(10), -1);
    m_model.updateRow(0, {31, QStringLiteral("高橋"), 1});
    EXPECT_EQ(m_model.rowOfCode(4), -1);
    EXPECT_EQ(m_model.rowOfCode(31), 0);
}

TEST_F(ListModelTest, CellsHeadersAndAlignmentComeFromTheColumns)
{
    EXPECT_EQ(m_model.columnCount(), 3);
    EXPECT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(cell(0, 0), QStringLiteral("No.10"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("鈴木"));
    EXPECT_EQ(cell(1, 2), QString());
    EXPECT_EQ(cell(2, 2), QStringLiteral("12"));
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("名前"));
    EXPECT_FALSE(m_model.headerData(3, Qt::Horizontal).isValid());
    EXPECT_EQ(m_model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(m_model.index(0, 2).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(m_model.columns()[0].width, 60);
    EXPECT_FALSE(m_model.flags(m_model.index(0, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(m_model.flags(m_model.index(0, 1)).testFlag(Qt::ItemIsSelectable));
}

TEST_F(ListModelTest, ReplacingRemovesTheOldRowsAndInsertsTheNew)
{
    QSignalSpy removed(&m_model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&m_model, &QAbstractItemModel::modelReset);

    m_model.replaceAll({{1, QStringLiteral("一"), 0}, {2, QStringLiteral("二"), 0}});
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 0);
    EXPECT_EQ(removed[0][2].toInt(), 2);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("二"));

    // Nothing to remove, nothing to insert: no signal for an empty range.
    m_model.replaceAll({});
    m_model.replaceAll({});
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(m_model.rowCount(), 0);

    m_model.append({8, QStringLiteral("八"), 0});
    m_model.append({9, QStringLiteral("九"), 0});
    ASSERT_EQ(inserted.count(), 3);
    EXPECT_EQ(inserted[2][1].toInt(), 1);
    EXPECT_EQ(m_model.rowOfCode(9), 1);
}

TEST_F(ListModelTest, UpdatingARowChangesItsCellsOnly)
{
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    m_model.updateRow(1, {4, QStringLiteral("佐藤"), 2});
    ASSERT_EQ(changed.count(), 1);
    const QModelIndex from = changed[0][0].value<QModelIndex>();
    const QModelIndex to = changed[0][1].value<QModelIndex>();
    EXPECT_EQ(from.row(), 1);
    EXPECT_EQ(to.row(), 1);
    EXPECT_EQ(from.column(), 0);
    EXPECT_EQ(to.column(), 2);
    EXPECT_EQ(cell(1, 2), QStringLiteral("2"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("3"));

    m_model.updateRow(3, {99, QString(), 0});
    m_model.updateRow(-1, {99, QString(), 0});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(m_model.rowCount(), 3);
}

TEST_F(ListModelTest, RemovingRowsSignalsTheirRangeAndRefusesOthers)
{
    QSignalSpy removed(&m_model, &QAbstractItemModel::rowsRemoved);
    EXPECT_TRUE(m_model.removeRows(1, 2));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(removed[0][2].toInt(), 2);
    EXPECT_EQ(m_model.rowCount(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("加藤"));

    EXPECT_FALSE(m_model.removeRows(1, 1));
    EXPECT_FALSE(m_model.removeRows(0, 2));
    EXPECT_FALSE(m_model.removeRows(-1, 1));
    EXPECT_FALSE(m_model.removeRows(0, 1, m_model.index(0, 0)));
    EXPECT_EQ(removed.count(), 1);
}

TEST_F(ListModelTest, NewColumnsResetTheModelAndKeepTheRows)
{
    QSignalSpy reset(&m_model, &QAbstractItemModel::modelReset);
    m_model.setColumns({{QStringLiteral("名前"), 200, Qt::AlignLeft, &Customer::name}});
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(m_model.columnCount(), 1);
    EXPECT_EQ(m_model.columns()[0].width, 200);
    EXPECT_EQ(cell(2, 0), QStringLiteral("鈴木"));
    EXPECT_EQ(m_model.rowOfCode(27), 2);
}

} // namespace
