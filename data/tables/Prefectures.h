#pragma once

#include "data/engine/TableDef.h"

#include <QString>

namespace kv::data {

// The 47 prefectures by their national numbers (1 北海道 ... 47 沖縄県) and
// the postal table of each.
class Prefectures {
public:
    static constexpr int kCount = 47;

    // Empty outside 1..47.
    static QString name(int number);
    // The postal table whose name starts with the two-digit number ("13Tok"
    // for 13); nullptr outside 1..47.
    static const TableDef* postalTable(int number);
};

} // namespace kv::data
