#include "common/KVCommon.h"

#include <array>

namespace {

struct Era {
    const char* letter;
    int firstYear; // Western year of the first day
    int firstMonth;
    int firstDay;
    int offset; // Western year = era year + offset
};

// Meiji covers every earlier date: entries before 1868 still need a mark.
constexpr std::array<Era, 5> Eras{{
    {"M", 0, 1, 1, 1867},
    {"T", 1912, 7, 30, 1911},
    {"S", 1926, 12, 25, 1925},
    {"H", 1989, 1, 8, 1988},
    {"R", 2019, 5, 1, 2018},
}};

bool onOrAfter(int year, int month, int day, const Era& era)
{
    if (year != era.firstYear)
        return year > era.firstYear;
    if (month != era.firstMonth)
        return month > era.firstMonth;
    return day >= era.firstDay;
}

// Month and day are compared as given; callers pass day 31 for the end of
// any month, which must fall in the same era as the month's real last day.
int eraOf(int year, int month, int day)
{
    int code = 0;
    for (int i = 1; i < int(Eras.size()); ++i) {
        if (onOrAfter(year, month, day, Eras[size_t(i)]))
            code = i;
    }
    return code;
}

} // namespace

extern "C" {

// An era code outside 0..4 (or no code at all) has no offset; 0 is returned
// and the code is left alone, as no Western year 0 is ever valid here.
int GengoToSeireki(int eraYear, int month, int day, int* era)
{
    if (!era || *era < 0 || *era >= int(Eras.size()))
        return 0;
    const int year = eraYear + Eras[size_t(*era)].offset;
    *era = eraOf(year, month, day);
    return year;
}

int SeirekiToGengo(int year, int month, int day, int* era, QString& label)
{
    const int code = eraOf(year, month, day);
    const Era& e = Eras[size_t(code)];
    const int eraYear = year - e.offset;
    if (era)
        *era = code;
    label = QString::asprintf("%04d(%1s%02d)", year, e.letter, eraYear);
    return eraYear;
}

} // extern "C"
