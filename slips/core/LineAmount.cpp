#include "slips/core/LineAmount.h"

#include "slips/core/ExactRounding.h"

namespace kv::slips::LineAmount {

namespace {

std::optional<int> tenthsTimes(int factor, int tenths, const data::RoundingRule& rule)
{
    const qint64 amount = roundFraction(qint64(factor) * tenths, 10, rule);
    if (amount < -kLimit || amount > kLimit)
        return std::nullopt;
    return int(amount);
}

} // namespace

std::optional<int> parts(int unitPrice, int quantityTenths, const data::RoundingRule& rule)
{
    return tenthsTimes(unitPrice, quantityTenths, rule);
}

std::optional<int> labour(int rate, int indexTenths, const data::RoundingRule& rule)
{
    return tenthsTimes(rate, indexTenths, rule);
}

} // namespace kv::slips::LineAmount
