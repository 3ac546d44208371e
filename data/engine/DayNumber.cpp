#include "data/engine/DayNumber.h"

#include <cmath>

namespace kv::data {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;
} // namespace

double toDayNumber(const QDate& date, const QTime& time)
{
    const double days = double(kEpoch.daysTo(date));
    const double fraction = (time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0) / kSecondsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

double toDayNumber(const QDateTime& dateTime)
{
    return toDayNumber(dateTime.date(), dateTime.time());
}

QDateTime fromDayNumber(double dayNumber)
{
    if (dayNumber == kEmptyDate || !std::isfinite(dayNumber))
        return {};
    const double whole = std::trunc(dayNumber);
    const double fraction = std::fabs(dayNumber - whole);
    const QDate date = kEpoch.addDays(qint64(whole));
    const int seconds = int(std::lround(fraction * kSecondsPerDay));
    return QDateTime(date, QTime(0, 0)).addSecs(seconds);
}

} // namespace kv::data
