// The slip header's dates, in western and in era years.

#include "slips/core/SlipHeaderRules.h"

#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::slips;
using kv::test::u;

namespace {

TEST(SlipHeaderRules, IssueDatesInTwoDigitYears)
{
    struct Case {
        const char* typed;
        QDate date;        // invalid: refused
        const char* message;
    };
    const Case cases[] = {
        {"50/01/01", QDate(2050, 1, 1), nullptr},
        {"510101", QDate(1951, 1, 1), nullptr},
        {"26/12/10", QDate(2026, 12, 10), nullptr},
        {"", QDate(), "年月日が異常です！"},
        {"26/00/10", QDate(), "年月日が異常です！"},
        {"26/02/30", QDate(), "日付が異常です！\n年月日をよく確認して下さい"},
        {"ab", QDate(), "年月日が異常です！"},
    };
    for (const Case& c : cases) {
        const SlipHeaderRules::DateResult result = SlipHeaderRules::issueDate(u(c.typed));
        EXPECT_EQ(result.ok, c.date.isValid()) << c.typed;
        EXPECT_EQ(result.date, c.date) << c.typed;
        EXPECT_EQ(result.message, c.message ? u(c.message) : QString()) << c.typed;
    }
    // Dates in and delivery dates may stay empty.
    EXPECT_TRUE(SlipHeaderRules::optionalDate(QString()).ok);
    EXPECT_FALSE(SlipHeaderRules::optionalDate(QString()).date.isValid());
    EXPECT_FALSE(SlipHeaderRules::optionalDate(u("26/13/01")).ok);
}

TEST(SlipHeaderRules, NextInspectionInEraYears)
{
    EXPECT_EQ(SlipHeaderRules::nextInspection(u("25/03/31")).date, QDate(2013, 3, 31)) << "平成25";
    EXPECT_EQ(SlipHeaderRules::nextInspection(u("05/03/31")).date, QDate(2023, 3, 31)) << "令和5";
    EXPECT_EQ(SlipHeaderRules::nextInspection(u("31/04/30")).date, QDate(2019, 4, 30)) << "平成31";
    EXPECT_TRUE(SlipHeaderRules::nextInspection(QString()).ok);
    EXPECT_FALSE(SlipHeaderRules::nextInspection(u("00/03/31")).ok);
    EXPECT_FALSE(SlipHeaderRules::nextInspection(u("06/02/30")).ok);

    EXPECT_EQ(SlipHeaderRules::proposedNextInspection(QDate(2026, 3, 31), 2, true), "10/03/31");
    EXPECT_EQ(SlipHeaderRules::proposedNextInspection(QDate(2026, 3, 31), 2, false), "08/03/31");
    // A leap day plus two years is the 28th, never an impossible date.
    EXPECT_EQ(SlipHeaderRules::proposedNextInspection(QDate(2024, 2, 29), 2, true), "08/02/28");
    EXPECT_EQ(SlipHeaderRules::proposedNextInspection(QDate(2024, 2, 29), 4, true), "10/02/29");
    EXPECT_EQ(SlipHeaderRules::proposedNextInspection(QDate(), 2, true), QString());
}

} // namespace
