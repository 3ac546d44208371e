#pragma once

#include "controls/FieldVerdict.h"
#include "reports/core/ClosingPeriod.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

class QWidget;

namespace kv::reports {

// The fields every report dialog shares, with their checks on leaving.
namespace ReportFields {

inline const QString kBadDate = QStringLiteral("年月日が異常です！");
inline const QString kImpossibleDate = QStringLiteral("日付が異常です！\n年月日をよく確認して下さい");
inline const QString kEndBeforeStart = QStringLiteral("終了日付が開始日付より小さくなっています！");

// A month "YY/MM" (5 characters) or a date "YY/MM/DD" (8 characters) of
// two-digit western years, typed as digits with or without "/": invalid
// text (or a month or day of 0) is cleared with "年月日が異常です！", empty
// text stays empty silently, a valid entry is rewritten "%02d/%02d" or
// "%02d/%02d/%02d".
FieldCheck monthCheck();
FieldCheck dateCheck();
CEditEx* monthField(QWidget* parent, const QString& initial);
CEditEx* dateField(QWidget* parent, const QString& initial);

// The days a month field names: day 1, and the last valid day (31, 30, 29
// and 28 tried in turn); none for an empty or invalid field. Years below
// 51 are 20YY.
std::optional<QDate> firstDayOfMonth(const QString& month);
std::optional<QDate> lastDayOfMonth(const QString& month);
// The date a date field names; none when it does not exist (25/02/30).
std::optional<QDate> dateOf(const QString& date);
// The days from a start through an end date field, checked on print: an
// empty or impossible date, then an end before the start, each shown with
// the focus put back on its field.
std::optional<ReportPeriod> checkedSpan(CEditEx* start, CEditEx* end);
// "%y/%m" and "%y/%m/%d" of a day.
QString monthText(const QDate& day);
QString dateText(const QDate& day);

// A whole number from minimum to maximum; anything else shows the range
// ("1から9999迄の整数を入力してくだい！") and the last valid value again.
CNumericEditEx* numberField(QWidget* parent, int minimum, int maximum, int initial);
// The number a field holds now (after its check); 0 when it holds none.
int numberOf(const CEditEx* field);
QString rangeMessage(int minimum, int maximum);

} // namespace ReportFields

} // namespace kv::reports
