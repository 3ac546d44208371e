#pragma once

#include "data/tables/TableRows.h"
#include "data/tables/VehicleTexts.h"

#include <QDate>
#include <QString>

namespace kv::slips {

// The texts of a printed slip as the form formats them; empty where a value
// prints as nothing.
namespace SlipPrintTexts {

// "%07d" split as "123-4567"; nothing for 0.
QString postalCode(int post);
// Comma grouping + " km"; nothing for 0.
QString mileage(int km);
// "%06d(%1d-%1d)": the slip number, the page in the copy and the copy's pages.
QString slipNumber(int number, int pageInCopy, int pagesPerCopy);
// "%4d年%2d月%2d日"; nothing for no date.
QString fullDate(const QDate& date);
// Kata "%05d" (four blanks for 0) + "-" + Rui "%04d" (three blanks for 0);
// nothing when both are 0.
QString typeClass(int kata, int rui);
// The vehicle's plate, name and dates, as every printout shows them.
using data::VehicleTexts::dateOf;
using data::VehicleTexts::firstRegistration;
using data::VehicleTexts::nextInspection;
using data::VehicleTexts::plate;
using data::VehicleTexts::vehicleName;
// Comma grouping; nothing for 0.
QString amount(int value);
// Comma grouping, "0" for 0.
QString amountOrZero(int value);
// Comma grouping behind "▲" when the sign is asked and the amount is not 0;
// 0 prints as "0" or as nothing.
QString discount(int value, bool sign, bool zeroShown = false);
// The honorific of Sama: none, "様", "殿", "御中".
QString honorific(int sama);

} // namespace SlipPrintTexts

} // namespace kv::slips
