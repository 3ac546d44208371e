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

} // namespace kv::data
