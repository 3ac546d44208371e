#include "records/NumberRule.h"

#include "common/KVCommon.h"

namespace kv::records {
namespace {

bool readDigits(const QString& text, int* value)
{
    if (text.isEmpty()) {
        *value = 0;
        return true;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!(c >= u'0' && c <= u'9') && !(i == 0 && c == u'-' && text.size() > 1))
            return false;
    }
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

QString NumberRule::format(int value) const
{
    if (value == 0 && emptyWhenZero)
        return QString();
    switch (style) {
    case Style::Grouped: {
        QString text;
        Kanma(text, value);
        return text;
    }
    case Style::ZeroPadded:
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    case Style::Plain:
        break;
    }
    return QString::number(value);
}

bool NumberRule::read(const QString& text, int* value) const
{
    int read = 0;
    if (style == Style::Grouped) {
        int flag = 0;
        read = KanmaToInt(text, &flag);
        if (!flag)
            return false;
    } else if (!readDigits(text, &read)) {
        return false;
    }
    if (read < minimum || read > maximum)
        return false;
    *value = read;
    return true;
}

FieldCheckResult NumberRule::check(const QString& text) const
{
    int value = 0;
    if (!read(text, &value))
        return FieldCheckResult::refuse(QString::fromUtf8(message), QString::fromUtf8(resetText));
    return FieldCheckResult::accept(format(value));
}

const NumberRule& NumberRule::amount()
{
    static const NumberRule rule{0, 9999999, Style::Grouped, 0, false, "0",
                                 "0から9,999,999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::weight()
{
    static const NumberRule rule{0, 999999, Style::Grouped, 0, false, "0",
                                 "0から999,999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::length()
{
    static const NumberRule rule{0, 99999, Style::Grouped, 0, false, "0",
                                 "0から99,999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::typeDesignation()
{
    static const NumberRule rule{0, 99999, Style::ZeroPadded, 5, true, "",
                                 "0から99999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::classification()
{
    static const NumberRule rule{0, 9999, Style::ZeroPadded, 4, true, "",
                                 "0から9999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::plateNumber()
{
    static const NumberRule rule{0, 9999, Style::Plain, 0, true, "",
                                 "0から9999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::classNumber()
{
    static const NumberRule rule{0, 999, Style::Plain, 0, true, "",
                                 "0から999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::capacity()
{
    static const NumberRule rule{0, 999, Style::Plain, 0, false, "0",
                                 "0から999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::validYears()
{
    static const NumberRule rule{0, 9, Style::Plain, 0, false, "0",
                                 "0から9迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::closingDay()
{
    static const NumberRule rule{0, 31, Style::Plain, 0, false, "0",
                                 "0から31迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::referrerCode()
{
    static const NumberRule rule{0, 999999, Style::Plain, 0, false, "0",
                                 "紹介元顧客には0から999999迄の整数を入力してくだい！"};
    return rule;
}

const NumberRule& NumberRule::recordCode()
{
    static const NumberRule rule{0, 999999, Style::Plain, 0, true, "", ""};
    return rule;
}

const NumberRule& NumberRule::vehicleCount()
{
    static const NumberRule rule{0, 2147483647, Style::Plain, 0, false, "0", ""};
    return rule;
}

} // namespace kv::records
