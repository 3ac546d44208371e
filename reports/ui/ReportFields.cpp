#include "reports/ui/ReportFields.h"

#include "common/MessageGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "records/TypedDate.h"

#include <memory>

namespace kv::reports {
namespace {

FieldCheck typedDateCheck(bool yearMonthOnly)
{
    return [yearMonthOnly](const QString& text) {
        const records::TypedDate typed = records::TypedDate::parse(text);
        if (typed.isEmpty())
            return FieldVerdict::accept(QString());
        if (!typed.isComplete(yearMonthOnly))
            return FieldVerdict::refuse(ReportFields::kBadDate, QString());
        return FieldVerdict::accept(typed.canonical(yearMonthOnly));
    };
}

CEditEx* typedDateField(QWidget* parent, const QString& initial, bool yearMonthOnly)
{
    // A plain edit: the "/" is typed as well as the digits.
    auto* field = new CEditEx(parent);
    field->setInputMode(CEditEx::InputMode::Direct);
    field->setMaxLength(yearMonthOnly ? 5 : 8);
    field->setExitCheck(typedDateCheck(yearMonthOnly));
    field->setText(initial);
    return field;
}

int fullYear(int yy)
{
    return yy < 51 ? 2000 + yy : 1900 + yy;
}

std::optional<records::TypedDate> complete(const QString& text, bool yearMonthOnly)
{
    const records::TypedDate typed = records::TypedDate::parse(text);
    if (!typed.isComplete(yearMonthOnly))
        return std::nullopt;
    return typed;
}

} // namespace

FieldCheck ReportFields::monthCheck()
{
    return typedDateCheck(true);
}

FieldCheck ReportFields::dateCheck()
{
    return typedDateCheck(false);
}

CEditEx* ReportFields::monthField(QWidget* parent, const QString& initial)
{
    return typedDateField(parent, initial, true);
}

CEditEx* ReportFields::dateField(QWidget* parent, const QString& initial)
{
    return typedDateField(parent, initial, false);
}

std::optional<QDate> ReportFields::firstDayOfMonth(const QString& month)
{
    const auto typed = complete(month, true);
    if (!typed)
        return std::nullopt;
    const QDate first(fullYear(typed->year), typed->month, 1);
    return first.isValid() ? std::optional(first) : std::nullopt;
}

std::optional<QDate> ReportFields::lastDayOfMonth(const QString& month)
{
    const auto typed = complete(month, true);
    if (!typed)
        return std::nullopt;
    for (int day = 31; day >= 28; --day) {
        const QDate last(fullYear(typed->year), typed->month, day);
        if (last.isValid())
            return last;
    }
    return std::nullopt;
}

std::optional<QDate> ReportFields::dateOf(const QString& date)
{
    const auto typed = complete(date, false);
    if (!typed)
        return std::nullopt;
    const QDate day(fullYear(typed->year), typed->month, typed->day);
    return day.isValid() ? std::optional(day) : std::nullopt;
}

QString ReportFields::monthText(const QDate& day)
{
    return QString::asprintf("%02d/%02d", day.year() % 100, day.month());
}

QString ReportFields::dateText(const QDate& day)
{
    return QString::asprintf("%02d/%02d/%02d", day.year() % 100, day.month(), day.day());
}

QString ReportFields::rangeMessage(int minimum, int maximum)
{
    return QStringLiteral("%1から%2迄の整数を入力してくだい！").arg(minimum).arg(maximum);
}

CNumericEditEx* ReportFields::numberField(QWidget* parent, int minimum, int maximum, int initial)
{
    auto* field = new CNumericEditEx(parent);
    field->setInputMode(CEditEx::InputMode::Direct);
    field->setMaxLength(int(QString::number(maximum).size()));
    // A refused value gives way to the last one the field accepted.
    auto lastValid = std::make_shared<int>(initial);
    field->setExitCheck([=](const QString& text) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok || value < minimum || value > maximum)
            return FieldVerdict::refuse(rangeMessage(minimum, maximum), QString::number(*lastValid));
        *lastValid = value;
        return FieldVerdict::accept(QString::number(value));
    });
    field->setText(QString::number(initial));
    return field;
}

int ReportFields::numberOf(const CEditEx* field)
{
    return field->text().trimmed().toInt();
}

std::optional<ReportPeriod> ReportFields::checkedSpan(CEditEx* start, CEditEx* end)
{
    const auto checked = [](CEditEx* field) {
        const auto day = dateOf(field->text());
        if (!day) {
            showMessage(field->text().isEmpty() ? kBadDate : kImpossibleDate);
            field->setFocus();
        }
        return day;
    };
    const auto first = checked(start);
    if (!first)
        return std::nullopt;
    const auto last = checked(end);
    if (!last)
        return std::nullopt;
    if (*last < *first) {
        showMessage(kEndBeforeStart);
        end->setFocus();
        return std::nullopt;
    }
    return ReportPeriod{*first, *last};
}

} // namespace kv::reports
