// The invoice registration number: its form and its check digit.
#include "masters/core/RegistrationNumber.h"

#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::masters;
using kv::test::u;
using V = RegistrationNumber::Verdict;

TEST(RegistrationNumber, CheckDigitFollowsTheCorporateNumberRule)
{
    // Weights 1 and 2 from the right; 9 less the sum mod 9.
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("000012050002")), 7);
    // A sum divisible by 9 gives 9, never 0.
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("000000000009")), 9);
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("000000000090")), 9);
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("000000000010")), 7);
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("00001205000")), -1);
    EXPECT_EQ(RegistrationNumber::checkDigit(QStringLiteral("00001205000x")), -1);
}

TEST(RegistrationNumber, ValidFailingAndMalformedNumbers)
{
    const struct {
        const char* typed;
        V verdict;
    } cases[] = {
        {"T7000012050002", V::Valid},
        {"t7000012050002", V::Valid},
        {"Ｔ７０００ ０１２０５０００２", V::Valid},
        {"T8000012050002", V::CheckDigitFails},
        {"T7000012050003", V::CheckDigitFails},
        {"T700001205000", V::Malformed},
        {"T70000120500021", V::Malformed},
        {"7000012050002", V::Malformed},
        {"X7000012050002", V::Malformed},
        {"T70000120500A2", V::Malformed},
        {"", V::Empty},
    };
    for (const auto& c : cases) {
        const QString number = RegistrationNumber::normalized(u(c.typed));
        EXPECT_EQ(RegistrationNumber::check(number), c.verdict) << c.typed;
    }
    EXPECT_EQ(RegistrationNumber::normalized(u("ｔ７０００ ０１２０５０００２")),
              QStringLiteral("T7000012050002"));
}
