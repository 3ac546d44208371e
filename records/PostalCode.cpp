#include "records/PostalCode.h"

namespace kv::records {

QString PostalCode::show(int stored)
{
    if (stored <= 0)
        return QString();
    const QString digits = QStringLiteral("%1").arg(stored, 7, 10, QLatin1Char('0'));
    return digits.left(3) + u'-' + digits.mid(3);
}

bool PostalCode::read(const QString& text, int* stored)
{
    QString digits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'-' && i == 3)
            continue;
        if (c < u'0' || c > u'9')
            return false;
        digits += c;
    }
    if (digits.size() > 7)
        return false;
    *stored = digits.toInt();
    return true;
}

FieldCheckResult PostalCode::checkOnLeave(const QString& text)
{
    int stored = 0;
    if (!read(text, &stored))
        return FieldCheckResult::refuse(QStringLiteral("郵便番号が異常です！"), QString());
    return FieldCheckResult::accept(show(stored));
}

} // namespace kv::records
