#include "controls/FieldChecks.h"

#include "common/KVCommon.h"

#include <utility>

namespace kv {
namespace {

bool readPlainInteger(const QString& text, int* value)
{
    if (text.isEmpty()) {
        *value = 0;
        return true;
    }
    // toInt would also take a leading '+' and blanks; typed fields may not.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && !(i == 0 && c == u'-' && text.size() > 1))
            return false;
    }
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

bool readIntegerField(const IntegerField& field, const QString& text, int* value)
{
    if (field.style == IntegerStyle::Grouped) {
        int flag = 0;
        *value = KanmaToInt(text, &flag);
        return flag != 0;
    }
    return readPlainInteger(text, value);
}

QString writeIntegerField(const IntegerField& field, int value)
{
    if (value == 0 && field.emptyWhenZero)
        return QString();
    switch (field.style) {
    case IntegerStyle::Grouped: {
        QString text;
        Kanma(text, value);
        return text;
    }
    case IntegerStyle::ZeroPadded:
        return QStringLiteral("%1").arg(value, field.width, 10, QLatin1Char('0'));
    case IntegerStyle::Plain:
        break;
    }
    return QString::number(value);
}

FieldCheck integerFieldCheck(IntegerField field)
{
    return [field = std::move(field)](const QString& text) {
        int value = 0;
        if (!readIntegerField(field, text, &value) || value < field.minimum
            || value > field.maximum)
            return FieldVerdict::refuse(field.message, field.resetText);
        return FieldVerdict::accept(writeIntegerField(field, value));
    };
}

} // namespace kv
