#include "records/TypedDate.h"

namespace kv::records {

TypedDate TypedDate::parse(const QString& text)
{
    TypedDate date;
    QString digits;
    for (QChar c : text) {
        if (c == u'/')
            continue;
        if (c < u'0' || c > u'9') {
            date.state = State::Invalid;
            return date;
        }
        digits += c;
    }
    if (digits.isEmpty())
        return date;
    if (digits.size() > 6) {
        date.state = State::Invalid;
        return date;
    }
    const int number = digits.toInt();
    if (digits.size() <= 2) {
        date.year = number;
    } else if (digits.size() <= 4) {
        date.year = number / 100;
        date.month = number % 100;
    } else {
        date.year = number / 10000;
        date.month = number / 100 % 100;
        date.day = number % 100;
    }
    date.state = (date.month > 12 || date.day > 31) ? State::Invalid : State::Parts;
    return date;
}

bool TypedDate::isComplete(bool yearMonthOnly) const
{
    return state == State::Parts && year != 0 && month != 0 && (yearMonthOnly || day != 0);
}

QString TypedDate::canonical(bool yearMonthOnly) const
{
    if (yearMonthOnly)
        return QString::asprintf("%02d/%02d", year, month);
    return QString::asprintf("%02d/%02d/%02d", year, month, day);
}

} // namespace kv::records
