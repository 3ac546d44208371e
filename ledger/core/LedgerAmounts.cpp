#include "ledger/core/LedgerAmounts.h"

namespace kv::ledger {

QString groupedAmount(qint64 value)
{
    // The magnitude as unsigned, so that the smallest value keeps its digits.
    quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

std::optional<qint64> amountFromText(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    qint64 value = 0;
    int digits = 0;
    for (; i < t.size(); ++i) {
        if (t[i] == u',')
            continue;
        if (!t[i].isDigit() || t[i].unicode() >= 0x80 || ++digits > 18)
            return std::nullopt;
        value = value * 10 + t[i].digitValue();
    }
    if (digits == 0)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace kv::ledger
