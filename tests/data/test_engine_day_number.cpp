#include "data/engine/DayNumber.h"
#include "data/engine/FilterTranslator.h"
#include "data/tables/DaoRecordsets.h"

#include <gtest/gtest.h>

using namespace kv::data;

namespace {

struct DayCase {
    QDateTime dateTime;
    double dayNumber;
};

TEST(DayNumber, followsTheStoredFilesEpochBothWays)
{
    const DayCase cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1899, 12, 31), QTime(12, 0)), 1.5},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25}, // whole day back, time forward
        {QDateTime(QDate(1900, 3, 1), QTime(0, 0)), 61.0},
        {QDateTime(QDate(2024, 2, 29), QTime(18, 0)), 45351.75},
        {QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59)), 45322.0 + 86399.0 / 86400.0},
    };
    for (const DayCase& c : cases) {
        EXPECT_DOUBLE_EQ(toDayNumber(c.dateTime), c.dayNumber) << c.dateTime.toString().toStdString();
        EXPECT_EQ(fromDayNumber(c.dayNumber), c.dateTime) << c.dayNumber;
    }
    EXPECT_FALSE(fromDayNumber(kEmptyDate).isValid());
}

TEST(DayNumber, dateLiteralsBindAsDayNumbers)
{
    FilterTranslator translator(CDaoCarSet::tableDef());
    SqlFragment fragment;
    ASSERT_TRUE(translator.translateFilter(
        QStringLiteral("Syaman Between #2024/02/29# AND #2024/2/29 18:00:00#"), fragment));
    ASSERT_EQ(fragment.values.size(), 2u);
    EXPECT_DOUBLE_EQ(std::get<double>(fragment.values[0]), 45351.0);
    EXPECT_DOUBLE_EQ(std::get<double>(fragment.values[1]), 45351.75);
    EXPECT_EQ(fragment.sql, QByteArray("(\"Syaman\" BETWEEN ? AND ?)"));
}

} // namespace
