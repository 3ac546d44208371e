#pragma once

#include "masters/core/ItemRow.h"

#include <QString>

#include <vector>

namespace kv::masters {

// The ten kana buttons of the lists in reading order: ｱ ｶ ｻ ﾀ ﾅ ﾊ ﾏ ﾔ ﾗ ﾜ.
class KanaIndex {
public:
    static constexpr int kCount = 10;

    static QString kana(int button);
    // "ｱ(&1)" .. "ﾜ(&0)" in the item dialog, "ｱ(1)" .. "ﾜ(0)" in the pick list.
    static QString dialogCaption(int button);
    static QString pickListCaption(int button);
    // The button a digit key stands for (1..9 → ｱ..ﾗ, 0 → ﾜ), -1 for others.
    static int buttonOfDigit(int digit);

    // The first row whose reading letter collates at or after the button's
    // kana, the last row when none does, -1 for an empty list. The rows are
    // searched top to bottom, so the list is expected in reading order.
    static int rowFor(int button, const std::vector<ItemRow>& rows);
};

} // namespace kv::masters
