#pragma once

#include "data/settings/RoundingSettings.h"

#include <QString>

#include <optional>

namespace kv::slips {

// The shop's rounding of an exact fraction and the tax rate in hundredths
// of a percent, shared with every other floor that rounds amounts.
using data::rateInHundredthsOfPercent;
using data::roundFraction;

// A percentage typed as text ("12.345", "0.29") in hundredths of a
// percent, cut to two decimals digit by digit; nullopt when it is no
// number or lies outside 0..100.
std::optional<int> percentFromText(const QString& text);
// Hundredths of a percent as the form shows them ("%.2f").
QString percentText(int hundredths);

// A one-decimal figure typed as text (index, quantity) in tenths, cut to
// one decimal; nullopt when it is no number.
std::optional<int> tenthsFromText(const QString& text);
// Tenths as "%.1f", empty for 0.
QString tenthsText(int tenths);

} // namespace kv::slips
