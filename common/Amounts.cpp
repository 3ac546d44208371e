#include "common/KVCommon.h"
#include "common/MessageGateway.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Amounts are limited to nine digits; a negative one may carry its sign too.
constexpr int MaxDigitChars = 9;
constexpr int MaxNegativeChars = 10;
constexpr std::int64_t MaxAmount = 999'999'999;

const QString& overflowMessage()
{
    static const QString text = QStringLiteral("計算結果がオーバーフローしました！\n実行できません");
    return text;
}

// Groups by three from the right. Only digits and '-' survive, so the same
// routine serves integer text and the integer part of fixed-point text.
QString groupDigits(const std::string& source)
{
    std::string reversed;
    reversed.reserve(source.size() + source.size() / 3 + 1);
    int sinceComma = 0;
    for (auto it = source.rbegin(); it != source.rend(); ++it) {
        const char c = *it;
        const bool digit = c >= '0' && c <= '9';
        if (!digit && c != '-')
            continue;
        if (c != '-' && sinceComma == 3) {
            reversed.push_back(',');
            sinceComma = 0;
        }
        reversed.push_back(c);
        ++sinceComma;
    }
    return QString::fromLatin1(std::string(reversed.rbegin(), reversed.rend()));
}

// Fixed-point text with halves rounded away from zero: the C library rounds
// exact binary ties to even (1234.5 -> "1234"), which is not how amounts are
// shown. A tie is detected on the exact expansion and nudged outwards.
std::string formatFixed(double value, int decimals)
{
    char probe[512];
    const int written = std::snprintf(probe, sizeof probe, "%.*f", decimals + 25, value);
    if (written > 0 && written < int(sizeof probe)) {
        const std::string text(probe);
        const std::string tail = text.substr(text.size() - 25);
        if (tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos)
            value = std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
    }
    const int size = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string out(size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        std::snprintf(out.data(), out.size() + 1, "%.*f", decimals, value);
    return out;
}

// The characters KanmaToInt and KanmaToDouble accept, at most a sign and
// nine more; kept on the stack, as the parsers run for every cell redrawn.
struct AmountChars {
    char text[MaxNegativeChars];
    int size = 0;
};

// Collects the accepted characters and stops at the first refused one.
AmountChars scanAmount(const QString& text, bool allowPoint, int* flag)
{
    if (flag)
        *flag = 1;
    AmountChars chars;
    const bool negative = text.startsWith(QLatin1Char('-'));
    const int limit = negative ? MaxNegativeChars : MaxDigitChars;
    bool seenPoint = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u',')
            continue;
        const bool digit = c >= u'0' && c <= u'9';
        const bool point = allowPoint && c == u'.' && !seenPoint;
        const bool accepted = (digit || point || (c == u'-' && i == 0)) && chars.size < limit;
        if (!accepted) {
            if (flag)
                *flag = 0;
            break;
        }
        seenPoint = seenPoint || point;
        chars.text[chars.size++] = char(c);
    }
    return chars;
}

} // namespace

extern "C" {

void Kanma(QString& out, int value)
{
    std::string text = std::to_string(value);
    const bool negative = value < 0;
    const size_t limit = negative ? MaxNegativeChars : MaxDigitChars;
    if (text.size() > limit) {
        kv::showMessage(QStringLiteral("カンマ編集中にオーバーフローしました！\n桁を減らして編集します"));
        text.resize(limit);
    }
    out = groupDigits(text);
}

void Kanmadb(QString& out, double value)
{
    out = groupDigits(formatFixed(value, 0));
}

void Kanmadb2(QString& out, double value, int decimals)
{
    if (decimals < 0 || decimals > 3)
        return;
    const std::string text = formatFixed(value, decimals);
    const size_t point = text.find('.');
    const std::string integerPart = text.substr(0, point);
    const std::string rest = point == std::string::npos ? std::string() : text.substr(point);
    out = groupDigits(integerPart) + QString::fromLatin1(rest);
}

int KanmaToInt(const QString& text, int* flag)
{
    // At most a sign and nine digits, so the value always fits; "" and "-"
    // do not parse and stand for zero.
    const AmountChars chars = scanAmount(text, false, flag);
    int value = 0;
    std::from_chars(chars.text, chars.text + chars.size, value);
    return value;
}

double KanmaToDouble(const QString& text, int* flag)
{
    // Locale-free, unlike strtod once Qt has set the user's locale. "", "-",
    // "." and "-." do not parse and stand for zero.
    const AmountChars chars = scanAmount(text, true, flag);
    double value = 0;
    std::from_chars(chars.text, chars.text + chars.size, value);
    return value;
}

// The literal formula in double precision. Values that are not exact in
// binary round as stored: 1.005 * 100 is 100.49999999999999 and rounds half
// up to 100. Slip amounts are whole yen times quantities, so callers meet
// this only with fractional quantities; the formula is kept as it is so that
// every slip, total and ledger row rounds the same way as before.
double HasuuCalc(double value, int mode, int unit)
{
    const double scale = unit == 1 ? 10.0 : unit == 2 ? 100.0 : 1.0;
    double v = value / scale;
    switch (mode) {
    case 0:
        v = std::floor(v);
        break;
    case 1:
        v = std::ceil(v);
        break;
    case 2:
        v = std::floor(v + 0.5);
        break;
    default:
        break;
    }
    return v * scale;
}

// Computed in 64 bits, where every sum, difference, product and quotient of
// two 32-bit values is exact. A zero divisor has no result at all and is
// refused like an overflow, with the same message.
int OverFlowCheck(int a, int b, QString op)
{
    const std::int64_t x = a;
    const std::int64_t y = b;
    std::int64_t result = 0;
    if (op == QLatin1String("+")) {
        result = x + y;
    } else if (op == QLatin1String("-")) {
        result = x - y;
    } else if (op == QLatin1String("*")) {
        result = x * y;
    } else if (op == QLatin1String("/")) {
        if (y == 0) {
            kv::showMessage(overflowMessage());
            return 0;
        }
        result = x / y;
    } else {
        return 1;
    }
    if (result < -MaxAmount || result > MaxAmount) {
        kv::showMessage(overflowMessage());
        return 0;
    }
    return 1;
}

} // extern "C"
