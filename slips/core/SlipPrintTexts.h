#pragma once

#include "data/tables/TableRows.h"

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
// The next inspection in its era: "令和 5年 3月31日".
QString nextInspection(const QDate& date);
// The first registration as era name + "%02d/%02d" (昭和, 平成, 令和 only).
QString firstRegistration(const QDate& date);
// Kata "%05d" (four blanks for 0) + "-" + Rui "%04d" (three blanks for 0);
// nothing when both are 0.
QString typeClass(int kata, int rui);
// Office, class number (three blanks for 0), kana in two bytes and the
// number "%4d" (five blanks for 0), each followed by a blank.
QString plate(const data::CarRow& vehicle);
// The make narrowed to single-byte characters, a blank and the model, cut
// to 25 bytes.
QString vehicleName(const QString& makeName, const QString& model);
// Comma grouping; nothing for 0.
QString amount(int value);
// Comma grouping, "0" for 0.
QString amountOrZero(int value);
// Comma grouping behind "▲" when the sign is asked and the amount is not 0;
// 0 prints as "0" or as nothing.
QString discount(int value, bool sign, bool zeroShown = false);
// The honorific of Sama: none, "様", "殿", "御中".
QString honorific(int sama);
// A date column's value as a date; invalid for the empty-date value.
QDate dateOf(double dayNumber);

} // namespace SlipPrintTexts

} // namespace kv::slips
