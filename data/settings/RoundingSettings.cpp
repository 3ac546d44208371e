#include "data/settings/RoundingSettings.h"

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

} // namespace kv::data
