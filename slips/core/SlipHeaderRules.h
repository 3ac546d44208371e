#pragma once

#include <QDate>
#include <QString>

namespace kv::slips {

// The checks and conversions of the slip header's fields: the issue date
// in western two-digit years, the next inspection in era years, the
// optional dates, the mileage and the rates.
namespace SlipHeaderRules {

// A field read: its value, or the message to show with the focus on it.
struct DateResult {
    bool ok = true;
    QDate date; // invalid for an empty optional date
    QString message;
};

// 発行日: required; YY below 51 is 20YY, else 19YY.
DateResult issueDate(const QString& text);
// 入庫日, 納車日: may be empty.
DateResult optionalDate(const QString& text);
// 次回車検: may be empty; the year is an era year, 21 to 31 平成 and any
// other 令和.
DateResult nextInspection(const QString& text);
// The next inspection proposed from the vehicle's expiry: the expiry, and
// when a cycle is added the vehicle's validity in years on top; a 29
// February that the target year lacks becomes the 28th. Empty when the
// expiry is no date. Shown as "YY/MM/DD" in era years.
QString proposedNextInspection(const QDate& expiry, int validityYears, bool addCycle);
// The same as a date; invalid when the expiry is no date.
QDate nextInspectionFrom(const QDate& expiry, int validityYears, bool addCycle);
// A date as "YY/MM/DD" in era years; empty for an invalid date.
QString eraText(const QDate& date);

// 走行距離 0..9,999,999; the rates 0..999,999. The message when refused.
inline constexpr int kMaxMileage = 9'999'999;
inline constexpr int kMaxRate = 999'999;
QString mileageMessage();
QString rateMessage();

QString invalidDateMessage();    // "年月日が異常です！"
QString impossibleDateMessage(); // "日付が異常です！\n年月日をよく確認して下さい"

} // namespace SlipHeaderRules

} // namespace kv::slips
