#include "slips/core/SlipHeaderRules.h"

#include "common/KVCommon.h"
#include "records/TypedDate.h"

namespace kv::slips::SlipHeaderRules {

namespace {

constexpr int kHeisei = 3;
constexpr int kReiwa = 4;

DateResult refused(const QString& message)
{
    return {false, QDate(), message};
}

// A complete typed date, or why not; empty is accepted when allowed.
DateResult typedParts(const QString& text, bool emptyAllowed, records::TypedDate* parts)
{
    *parts = records::TypedDate::parse(text);
    if (parts->isEmpty())
        return emptyAllowed ? DateResult{} : refused(invalidDateMessage());
    if (parts->isInvalid() || parts->month == 0 || parts->day == 0)
        return refused(invalidDateMessage());
    return {};
}

int westernYear(int twoDigits)
{
    return twoDigits < 51 ? 2000 + twoDigits : 1900 + twoDigits;
}

} // namespace

QString invalidDateMessage()
{
    return QStringLiteral("年月日が異常です！");
}

QString impossibleDateMessage()
{
    return QStringLiteral("日付が異常です！\n年月日をよく確認して下さい");
}

QString mileageMessage()
{
    return QStringLiteral("0から9,999,999迄の整数を入力してくだい！");
}

QString rateMessage()
{
    return QStringLiteral("0から999,999迄の整数を入力してくだい！");
}

DateResult issueDate(const QString& text)
{
    records::TypedDate parts;
    DateResult result = typedParts(text, false, &parts);
    if (!result.ok)
        return result;
    const QDate date(westernYear(parts.year), parts.month, parts.day);
    return date.isValid() ? DateResult{true, date, {}} : refused(impossibleDateMessage());
}

DateResult optionalDate(const QString& text)
{
    records::TypedDate parts;
    DateResult result = typedParts(text, true, &parts);
    if (!result.ok || parts.isEmpty())
        return result;
    const QDate date(westernYear(parts.year), parts.month, parts.day);
    return date.isValid() ? DateResult{true, date, {}} : refused(impossibleDateMessage());
}

DateResult nextInspection(const QString& text)
{
    records::TypedDate parts;
    DateResult result = typedParts(text, true, &parts);
    if (!result.ok || parts.isEmpty())
        return result;
    if (parts.year == 0)
        return refused(invalidDateMessage());
    int era = parts.year >= 21 && parts.year <= 31 ? kHeisei : kReiwa;
    const int year = GengoToSeireki(parts.year, parts.month, parts.day, &era);
    const QDate date(year, parts.month, parts.day);
    return date.isValid() ? DateResult{true, date, {}} : refused(invalidDateMessage());
}

QDate nextInspectionFrom(const QDate& expiry, int validityYears, bool addCycle)
{
    if (!expiry.isValid() || !addCycle)
        return expiry;
    const int year = expiry.year() + validityYears;
    const int day = std::min(expiry.day(), QDate(year, expiry.month(), 1).daysInMonth());
    return QDate(year, expiry.month(), day);
}

QString eraText(const QDate& date)
{
    if (!date.isValid())
        return {};
    int era = 0;
    QString label;
    const int eraYear = SeirekiToGengo(date.year(), date.month(), date.day(), &era, label);
    return QString::asprintf("%02d/%02d/%02d", eraYear, date.month(), date.day());
}

QString proposedNextInspection(const QDate& expiry, int validityYears, bool addCycle)
{
    return eraText(nextInspectionFrom(expiry, validityYears, addCycle));
}

} // namespace kv::slips::SlipHeaderRules
