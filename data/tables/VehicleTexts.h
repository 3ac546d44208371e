#pragma once

#include "data/tables/TableRows.h"

#include <QDate>
#include <QString>

namespace kv::data {

// How a vehicle's plate, name and dates read on paper: the slips and the
// reports print them alike.
namespace VehicleTexts {

// The inspection expiry (or any date of the inspection) in its era:
// "令和 5年 3月31日"; nothing for no date.
QString nextInspection(const QDate& date);
// The first registration as era name + "%02d/%02d" (昭和, 平成, 令和 only).
QString firstRegistration(const QDate& date);
// Office, class number (three blanks for 0), kana in two bytes and the
// number "%4d" (five blanks for 0), each followed by a blank.
QString plate(const CarRow& vehicle);
// The make narrowed to single-byte characters, a blank and the model, cut
// to 25 bytes.
QString vehicleName(const QString& makeName, const QString& model);
// A date column's value as a date; invalid for the empty-date value.
QDate dateOf(double dayNumber);

} // namespace VehicleTexts

} // namespace kv::data
