// The period checks of the sales analysis graph's dialog.

#include "reports/core/SalesGraphPeriod.h"

#include <gtest/gtest.h>

using namespace kv::reports;
using Field = ReportRefusal::Field;

namespace {

std::optional<ReportRefusal> refusal(SalesGraphPeriod::GraphType type, const QString& start, const QString& end)
{
    const auto result = SalesGraphPeriod::check(type, start, end);
    if (const auto* refused = std::get_if<ReportRefusal>(&result))
        return *refused;
    return std::nullopt;
}

} // namespace

TEST(SalesGraphPeriod, TwelveMonthsAreAcceptedAndAThirteenthIsRefused)
{
    const auto accepted = SalesGraphPeriod::check(SalesGraphPeriod::Pie, QStringLiteral("23/04"),
                                                  QStringLiteral("24/03"));
    ASSERT_TRUE(std::holds_alternative<SalesGraphPeriod::Period>(accepted));
    const auto& period = std::get<SalesGraphPeriod::Period>(accepted);
    EXPECT_EQ(period.first, QDate(2023, 4, 1));
    EXPECT_EQ(period.last, QDate(2024, 3, 31));

    const auto tooLong = refusal(SalesGraphPeriod::BarsByCategory, QStringLiteral("23/04"), QStringLiteral("24/04"));
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->message, QStringLiteral("対象期間が１年を超えています！"));
    EXPECT_EQ(tooLong->field, Field::StartMonth);
    EXPECT_TRUE(refusal(SalesGraphPeriod::Pie, QStringLiteral("22/12"), QStringLiteral("24/01")));
    // Across the century: 99/06 is 1999.
    EXPECT_FALSE(refusal(SalesGraphPeriod::Pie, QStringLiteral("99/06"), QStringLiteral("00/05")));
    EXPECT_TRUE(refusal(SalesGraphPeriod::Pie, QStringLiteral("99/06"), QStringLiteral("00/06")));
}

TEST(SalesGraphPeriod, ChecksComeInTheirOrderAndNameTheirField)
{
    const QString badMonth = QStringLiteral("年月日が異常です！");
    const auto start = refusal(SalesGraphPeriod::Pie, QStringLiteral("24/13"), QStringLiteral("xx"));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->field, Field::StartMonth);
    EXPECT_EQ(start->message, badMonth);
    for (const char* end : {"", "24/00", "2403"}) {
        const auto refused = refusal(SalesGraphPeriod::Pie, QStringLiteral("24/01"), QString::fromLatin1(end));
        ASSERT_TRUE(refused) << end;
        EXPECT_EQ(refused->field, Field::EndMonth);
        EXPECT_EQ(refused->message, badMonth);
    }
    const auto backwards = refusal(SalesGraphPeriod::Pie, QStringLiteral("24/05"), QStringLiteral("24/04"));
    ASSERT_TRUE(backwards);
    EXPECT_EQ(backwards->message, QStringLiteral("終了日付が開始日付より小さくなっています！"));
    EXPECT_EQ(backwards->field, Field::StartMonth);
}

TEST(SalesGraphPeriod, BarsByMonthTakeTheTwelveMonthsEndingWithTheEndMonth)
{
    EXPECT_EQ(SalesGraphPeriod::twelveMonthsStart(QStringLiteral("24/03")), QStringLiteral("23/04"));
    EXPECT_EQ(SalesGraphPeriod::twelveMonthsStart(QStringLiteral("24/12")), QStringLiteral("24/01"));
    EXPECT_EQ(SalesGraphPeriod::twelveMonthsStart(QStringLiteral("00/01")), QStringLiteral("99/02"));
    EXPECT_EQ(SalesGraphPeriod::twelveMonthsStart(QStringLiteral("24/1")), QString());

    // Whatever the start field held; a February ends on its last day.
    const auto result = SalesGraphPeriod::check(SalesGraphPeriod::BarsByMonth, QStringLiteral("20/01"),
                                                QStringLiteral("24/02"));
    ASSERT_TRUE(std::holds_alternative<SalesGraphPeriod::Period>(result));
    const auto& period = std::get<SalesGraphPeriod::Period>(result);
    EXPECT_EQ(period.startMonth, QStringLiteral("23/03"));
    EXPECT_EQ(period.first, QDate(2023, 3, 1));
    EXPECT_EQ(period.last, QDate(2024, 2, 29));
    const auto plain = SalesGraphPeriod::check(SalesGraphPeriod::Pie, QStringLiteral("23/02"),
                                               QStringLiteral("23/02"));
    EXPECT_EQ(std::get<SalesGraphPeriod::Period>(plain).last, QDate(2023, 2, 28));
}
