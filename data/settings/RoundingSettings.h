#pragma once

#include <QByteArray>

namespace kv::data {

// One rounding rule: type 0 切り捨て, 1 切り上げ, 2 四捨五入; unit 0 one yen,
// 1 ten yen, 2 a hundred yen.
struct RoundingRule {
    qint32 type = 0;
    qint32 unit = 0;
    bool operator==(const RoundingRule&) const = default;
};

// "002.dat": the consumption-tax rate and the five rounding rules.
struct RoundingSettings {
    static constexpr qsizetype kFileSize = 256;

    double taxRate = 0.0; // as a fraction, 0.10 for 10 %
    RoundingRule tax;
    RoundingRule parts;
    RoundingRule discount;
    RoundingRule billed;
    RoundingRule labour;

    static RoundingSettings fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    bool operator==(const RoundingSettings&) const = default;
};

// The shop's rounding of an amount that is an exact fraction, numerator /
// denominator (denominator > 0): down, up or half up at one, ten or a
// hundred yen, as HasuuCalc does, then towards zero for any other type.
// Kept in integers, so that 7 % of 100 rounded up is 7 and never the 8 a
// binary 0.07 would give.
qint64 roundFraction(qint64 numerator, qint64 denominator, const RoundingRule& rule);

// The tax rate as hundredths of a percent (0.10 is 1000); the rate is kept
// to two decimals of a percent, so this is exact.
qint64 rateInHundredthsOfPercent(double rate);

} // namespace kv::data
