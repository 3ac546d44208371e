#pragma once

#include "records/FieldCheckResult.h"

#include <QString>

namespace kv::records {

// 総排気量: stored in hundredths of a litre, shown with two decimals.
class Displacement {
public:
    static QString show(int hundredths);
    // Litres, commas allowed, 0 to 999.99; more decimals are cut off.
    static bool read(const QString& text, int* hundredths);
    static FieldCheckResult checkOnLeave(const QString& text);
};

} // namespace kv::records
