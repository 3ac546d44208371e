#include "slips/core/PrintPositionInput.h"

#include <cstdlib>

namespace kv::slips {

std::optional<int> PrintPositionInput::tenthsOf(const QString& typed, int limit)
{
    const QString text = typed.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        if (++wholeDigits > 6)
            return std::nullopt;
        whole = whole * 10 + text[i].digitValue();
    }
    int tenth = 0;
    bool rest = false; // a non-zero digit after the first decimal
    int fractionDigits = 0;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        for (++i; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
            if (fractionDigits++ == 0)
                tenth = text[i].digitValue();
            else if (text[i] != QLatin1Char('0'))
                rest = true;
        }
    }
    if (i != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    qint64 tenths = whole * 10 + tenth;
    if (negative)
        tenths = -tenths - (rest ? 1 : 0);
    // The typed value itself must lie in the range: 99.95 is past 99.9
    // even though its tenths are not.
    if (std::llabs(tenths) > limit || (rest && !negative && tenths == limit))
        return std::nullopt;
    // -0.0 and its like are 0.
    return int(tenths);
}

QString PrintPositionInput::text(int tenths)
{
    const int magnitude = std::abs(tenths);
    return QStringLiteral("%1%2.%3")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

} // namespace kv::slips
