#include "common/KVCommon.h"

#include <QDate>

#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <array>
#include <memory>

namespace {

constexpr std::array<int, 5> Offsets{1867, 1911, 1925, 1988, 2018};

struct ToWesternCase {
    int era;
    int eraYear;
    int month;
    int day;
    int year;
    int correctedEra;
};

TEST(GengoToSeireki, KeepsTheYearAndCorrectsTheEraToTheOneInForce)
{
    const ToWesternCase cases[] = {
        {3, 1, 1, 7, 1989, 2},
        {3, 1, 1, 8, 1989, 3},
        {4, 1, 4, 30, 2019, 3},
        {4, 1, 5, 1, 2019, 4},
        {0, 45, 7, 30, 1912, 1},
        {0, -10, 1, 1, 1857, 0},
        // End of month given as day 31: the era of the month's last day,
        // not a first of Reiwa before Reiwa began.
        {3, 31, 4, 31, 2019, 3},
    };
    for (const ToWesternCase& c : cases) {
        int era = c.era;
        EXPECT_EQ(GengoToSeireki(c.eraYear, c.month, c.day, &era), c.year)
            << c.era << "/" << c.eraYear << "-" << c.month << "-" << c.day;
        EXPECT_EQ(era, c.correctedEra)
            << c.era << "/" << c.eraYear << "-" << c.month << "-" << c.day;
    }
}

TEST(GengoToSeireki, RefusesAnEraCodeItHasNoOffsetFor)
{
    for (int code : {-1, 5, 100}) {
        int era = code;
        EXPECT_EQ(GengoToSeireki(1, 1, 1, &era), 0);
        EXPECT_EQ(era, code);
    }
    EXPECT_EQ(GengoToSeireki(1, 1, 1, nullptr), 0);
}

struct ToEraCase {
    int year;
    int month;
    int day;
    int eraYear;
    int era;
    const char* label;
};

TEST(SeirekiToGengo, NamesTheEraYearAndWritesTheLabel)
{
    const ToEraCase cases[] = {
        {2019, 4, 30, 31, 3, "2019(H31)"},
        {2019, 5, 1, 1, 4, "2019(R01)"},
        {1926, 12, 24, 15, 1, "1926(T15)"},
        {1912, 7, 29, 45, 0, "1912(M45)"},
        {1868, 1, 1, 1, 0, "1868(M01)"},
        {1867, 12, 31, 0, 0, "1867(M00)"},
        {1860, 6, 1, -7, 0, "1860(M-7)"},
        {2118, 1, 1, 100, 4, "2118(R100)"},
        {2019, 4, 31, 31, 3, "2019(H31)"},
    };
    for (const ToEraCase& c : cases) {
        int era = -1;
        QString label = QStringLiteral("old");
        EXPECT_EQ(SeirekiToGengo(c.year, c.month, c.day, &era, label), c.eraYear)
            << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(era, c.era) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(label, QString::fromLatin1(c.label));
    }
}

// ICU's Japanese calendar as an outside oracle. It agrees with the era
// table from the first day of Meiji as ICU has it onwards: 1868-09-08, the
// proclamation's lunisolar date read as a Gregorian one (the Gregorian day
// was 1868-10-23). The days of 1868 before it are Meiji here, because the era
// was made to run from the first day of that lunar year (1868-01-25 in the
// Gregorian calendar), while ICU gives them to Keio; they are checked against
// the table only. Both sides take the given date as Gregorian, so the
// lunisolar calendar used before 1873 does not come in.
class IcuJapaneseCalendar {
public:
    IcuJapaneseCalendar()
    {
        UErrorCode status = U_ZERO_ERROR;
        m_gregorian = std::make_unique<icu::GregorianCalendar>(
            icu::TimeZone::getGMT()->clone(), status);
        m_japanese.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                       icu::Locale("ja_JP@calendar=japanese"),
                                                       status));
        m_ok = U_SUCCESS(status) && m_japanese;
        if (m_ok)
            m_reiwa = eraIndex(QDate(2019, 5, 1));
    }

    bool ok() const { return m_ok; }

    // Era code 0..4 (negative before Meiji) and era year of a date.
    std::pair<int, int> eraOf(QDate date)
    {
        const int index = eraIndex(date);
        UErrorCode status = U_ZERO_ERROR;
        const int year = m_japanese->get(UCAL_YEAR, status);
        return {index - (m_reiwa - 4), U_SUCCESS(status) ? year : -9999};
    }

private:
    int eraIndex(QDate date)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_gregorian->clear();
        m_gregorian->set(date.year(), date.month() - 1, date.day(), 12, 0, 0);
        const UDate time = m_gregorian->getTime(status);
        m_japanese->setTime(time, status);
        const int era = m_japanese->get(UCAL_ERA, status);
        return U_SUCCESS(status) ? era : -9999;
    }

    std::unique_ptr<icu::GregorianCalendar> m_gregorian;
    std::unique_ptr<icu::Calendar> m_japanese;
    int m_reiwa = 0;
    bool m_ok = false;
};

TEST(EraDates, AgreeWithIcuOnEveryDayFromMeijiTo2100)
{
    IcuJapaneseCalendar icu;
    ASSERT_TRUE(icu.ok());
    int compared = 0;
    int beforeIcuMeiji = 0;
    int failures = 0;
    for (QDate date(1868, 1, 25); date <= QDate(2100, 12, 31) && failures < 20;
         date = date.addDays(1)) {
        const int y = date.year();
        const int m = date.month();
        const int d = date.day();
        int code = -1;
        QString label;
        const int eraYear = SeirekiToGengo(y, m, d, &code, label);

        const auto [icuCode, icuYear] = icu.eraOf(date);
        if (icuCode < 0) {
            ++beforeIcuMeiji;
            if (code != 0 || eraYear != y - 1867)
                ++failures;
            EXPECT_EQ(code, 0) << date.toString(Qt::ISODate).toStdString();
            continue;
        }
        ++compared;
        const bool same = code == icuCode && eraYear == icuYear;
        if (!same)
            ++failures;
        EXPECT_TRUE(same) << date.toString(Qt::ISODate).toStdString() << ": " << code << "/"
                          << eraYear << " against ICU " << icuCode << "/" << icuYear;
        EXPECT_EQ(label, QString::asprintf("%04d(%c%02d)", y, "MTSHR"[icuCode], icuYear));

        // Every era's notation of the date, the right one or a neighbour
        // run on past its end, gives back the year and the era in force.
        for (int given = 0; given < int(Offsets.size()); ++given) {
            int era = given;
            const int year = GengoToSeireki(y - Offsets[size_t(given)], m, d, &era);
            if (year != y || era != icuCode) {
                ++failures;
                ADD_FAILURE() << date.toString(Qt::ISODate).toStdString() << " given era "
                              << given << ": " << year << " era " << era;
            }
        }
    }
    EXPECT_EQ(failures, 0);
    // 227 days from 1868-01-25 are not ICU's to judge, every later day is.
    EXPECT_EQ(beforeIcuMeiji, 227);
    EXPECT_EQ(compared, QDate(1868, 9, 8).daysTo(QDate(2100, 12, 31)) + 1);
}

} // namespace
