#pragma once

#include <QDateTime>

namespace kv::data {

// Date columns hold day numbers: days since 1899-12-30 as a double, the time
// of day as the fraction.
inline constexpr double kEmptyDate = -1000000.0;

// Day number of a date and time (seconds precision). Days before the epoch
// carry the time as a positive fraction after a negative whole day, as the
// stored files always did (-1.25 is 1899-12-29 06:00).
double toDayNumber(const QDate& date, const QTime& time = QTime(0, 0));
double toDayNumber(const QDateTime& dateTime);
// The date and time of a day number; invalid for kEmptyDate.
QDateTime fromDayNumber(double dayNumber);

} // namespace kv::data
