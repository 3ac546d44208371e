#include "masters/core/ItemRow.h"

#include "common/Cp932.h"
#include "masters/core/ItemRules.h"

namespace kv::masters {

bool ItemRecord::isPlaceholder() const
{
    return text == ItemRules::placeholderText();
}

bool itemRowBefore(const ItemRow& a, const ItemRow& b, ItemOrder order)
{
    if (order == ItemOrder::Reading) {
        if (const int byReading = kv::cp932::compare(a.reading, b.reading))
            return byReading < 0;
        if (const int byText = kv::cp932::compare(a.text, b.text))
            return byText < 0;
    }
    return a.code < b.code;
}

} // namespace kv::masters
