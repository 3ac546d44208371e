#pragma once

#include "data/settings/RoundingSettings.h"

#include <optional>

namespace kv::slips {

// The amounts of one slip line: parts = unit price × quantity, labour =
// rate × index, each rounded by its rule. An amount of exactly 1 yen stands
// for "持ち込み" (parts the customer brought) or "サービス" (labour given
// free): it is stored as 1 but counts as 0.
namespace LineAmount {

inline constexpr int kLimit = 9'999'999;

// nullopt when the result leaves -9,999,999..9,999,999.
std::optional<int> parts(int unitPrice, int quantityTenths, const data::RoundingRule& rule);
std::optional<int> labour(int rate, int indexTenths, const data::RoundingRule& rule);

// What a stored or computed amount adds to the totals.
inline int counted(int amount)
{
    return amount == 1 ? 0 : amount;
}

// Categories 15 and 16 (body work and painting) take the body-work rate.
inline bool takesBodyWorkRate(int category)
{
    return category == 15 || category == 16;
}

} // namespace LineAmount

} // namespace kv::slips
