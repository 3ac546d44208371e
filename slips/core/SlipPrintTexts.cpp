#include "slips/core/SlipPrintTexts.h"

#include "common/KVCommon.h"

#include <QStringList>

namespace kv::slips::SlipPrintTexts {

QString postalCode(int post)
{
    if (post == 0)
        return {};
    const QString digits = QString::asprintf("%07d", post);
    return digits.left(3) + QLatin1Char('-') + digits.mid(3, 4);
}

QString mileage(int km)
{
    if (km == 0)
        return {};
    return amount(km) + QStringLiteral(" km");
}

QString slipNumber(int number, int pageInCopy, int pagesPerCopy)
{
    return QString::asprintf("%06d(%1d-%1d)", number, pageInCopy, pagesPerCopy);
}

QString fullDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1)
        return {};
    return QString::asprintf("%4d", date.year()) + QStringLiteral("年")
        + QString::asprintf("%2d", date.month()) + QStringLiteral("月")
        + QString::asprintf("%2d", date.day()) + QStringLiteral("日");
}

QString typeClass(int kata, int rui)
{
    if (kata == 0 && rui == 0)
        return {};
    const QString left = kata != 0 ? QString::asprintf("%05d", kata) : QStringLiteral("    ");
    const QString right = rui != 0 ? QString::asprintf("%04d", rui) : QStringLiteral("   ");
    return left + QLatin1Char('-') + right;
}

QString amount(int value)
{
    if (value == 0)
        return {};
    QString text;
    Kanma(text, value);
    return text;
}

QString amountOrZero(int value)
{
    QString text;
    Kanma(text, value);
    return text;
}

QString discount(int value, bool sign, bool zeroShown)
{
    const QString text = zeroShown ? amountOrZero(value) : amount(value);
    return sign && value != 0 ? QStringLiteral("▲") + text : text;
}

QString honorific(int sama)
{
    switch (sama) {
    case 1: return QStringLiteral("様");
    case 2: return QStringLiteral("殿");
    case 3: return QStringLiteral("御中");
    }
    return {};
}

} // namespace kv::slips::SlipPrintTexts
