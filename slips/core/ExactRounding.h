#pragma once

#include "data/settings/RoundingSettings.h"

#include <QString>

#include <optional>

namespace kv::slips {

// The shop's rounding of an amount that is an exact fraction, numerator /
// denominator (denominator > 0): down, up or half up at one, ten or a
// hundred yen, as HasuuCalc does, then towards zero for any other type.
// Kept in integers, so that 7 % of 100 rounded up is 7 and never the 8 a
// binary 0.07 would give.
qint64 roundFraction(qint64 numerator, qint64 denominator, const data::RoundingRule& rule);

// The tax rate as hundredths of a percent (0.10 is 1000); the rate is kept
// to two decimals of a percent, so this is exact.
qint64 rateInHundredthsOfPercent(double rate);

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
