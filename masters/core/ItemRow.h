#pragma once

#include <QString>

namespace kv::masters {

// One item as the lists show it.
struct ItemRow {
    int code = 0;
    QString text;
    QString reading;
    bool operator==(const ItemRow&) const = default;
};

// The full record of an item.
struct ItemRecord {
    int code = 0;
    QString text;
    QString reading;
    int category = 0;
    int price = 0;
    bool isPlaceholder() const;
    ItemRow row() const { return {code, text, reading}; }
    bool operator==(const ItemRecord&) const = default;
};

enum class ItemOrder { Code = 0, Reading = 1 };

// Code order by code; reading order by reading, then text, then code, the
// texts compared byte by byte in CP932 as the shop's older lists sorted.
bool itemRowBefore(const ItemRow& a, const ItemRow& b, ItemOrder order);

} // namespace kv::masters
