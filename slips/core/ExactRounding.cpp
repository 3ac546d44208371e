#include "slips/core/ExactRounding.h"

namespace kv::slips {

namespace {

// A decimal number as text into units of 10^-decimals, the further digits
// cut off as the floor does; nullopt when it is no number. cut tells
// whether a non-zero digit was cut off.
std::optional<qint64> scaledFromText(const QString& text, int decimals, bool* cut = nullptr)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    qint64 whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80; ++i, ++digits) {
        whole = whole * 10 + t[i].digitValue();
        if (whole > 1'000'000'000)
            return std::nullopt;
    }
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool dropped = false;
    if (i < t.size() && t[i] == u'.') {
        for (++i; i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80; ++i, ++digits) {
            if (fractionDigits < decimals) {
                fraction = fraction * 10 + t[i].digitValue();
                ++fractionDigits;
            } else {
                dropped = dropped || t[i] != u'0';
            }
        }
    }
    if (i != t.size() || digits == 0)
        return std::nullopt;
    for (; fractionDigits < decimals; ++fractionDigits)
        fraction *= 10;
    if (cut)
        *cut = dropped;
    qint64 scale = 1;
    for (int d = 0; d < decimals; ++d)
        scale *= 10;
    const qint64 value = whole * scale + fraction;
    return negative ? -value - (dropped ? 1 : 0) : value;
}

} // namespace

std::optional<int> percentFromText(const QString& text)
{
    bool cut = false;
    const std::optional<qint64> value = scaledFromText(text, 2, &cut);
    // 100.001 lies beyond 100 although it cuts to 100.00.
    if (!value || *value < 0 || *value > 10000 || (*value == 10000 && cut))
        return std::nullopt;
    return int(*value);
}

QString percentText(int hundredths)
{
    return QStringLiteral("%1.%2")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

std::optional<int> tenthsFromText(const QString& text)
{
    const std::optional<qint64> value = scaledFromText(text, 1);
    if (!value || *value > 100'000'000 || *value < -100'000'000)
        return std::nullopt;
    return int(*value);
}

QString tenthsText(int tenths)
{
    if (tenths == 0)
        return {};
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return QStringLiteral("%1%2.%3")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

} // namespace kv::slips
