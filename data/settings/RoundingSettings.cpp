#include "data/settings/RoundingSettings.h"

#include <cmath>

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

#include <array>

namespace kv::data {

namespace {
constexpr qsizetype kTaxRate = 0;
constexpr qsizetype kFirstRule = 8;
constexpr qsizetype kRuleSize = 8;

// The rules in file order.
template <typename Settings>
auto rulesOf(Settings& s)
{
    return std::array{&s.tax, &s.parts, &s.discount, &s.billed, &s.labour};
}
}

RoundingSettings RoundingSettings::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    RoundingSettings s;
    s.taxRate = in.doubleAt(kTaxRate);
    qsizetype offset = kFirstRule;
    for (RoundingRule* rule : rulesOf(s)) {
        rule->type = in.int32At(offset);
        rule->unit = in.int32At(offset + 4);
        offset += kRuleSize;
    }
    return s;
}

QByteArray RoundingSettings::toBytes() const
{
    RecordWriter out(kFileSize);
    out.putDouble(kTaxRate, taxRate);
    qsizetype offset = kFirstRule;
    for (const RoundingRule* rule : rulesOf(*this)) {
        out.putInt32(offset, rule->type);
        out.putInt32(offset + 4, rule->unit);
        offset += kRuleSize;
    }
    return out.bytes();
}

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

} // namespace

qint64 roundFraction(qint64 numerator, qint64 denominator, const RoundingRule& rule)
{
    const qint64 unit = rule.unit == 1 ? 10 : rule.unit == 2 ? 100 : 1;
    const qint64 d = denominator * unit;
    switch (rule.type) {
    case 0: return floorDiv(numerator, d) * unit;
    case 1: return ceilDiv(numerator, d) * unit;
    case 2: return floorDiv(2 * numerator + d, 2 * d) * unit;
    default: return numerator / denominator;
    }
}

qint64 rateInHundredthsOfPercent(double rate)
{
    return std::llround(rate * 10000.0);
}

} // namespace kv::data
