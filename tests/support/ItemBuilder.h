#pragma once

#include "support/RecordBuilder.h"

#include "data/tables/DaoRecordsets.h"

namespace kv::test {

// A work or parts item for a test's data folder:
//   ItemBuilder(1).text("ワイパー").reading("ﾜ").category(5).price(1200).insertInto(store);
class ItemBuilder : public RecordBuilder<CDaoMeisaiSet, ItemBuilder> {
public:
    explicit ItemBuilder(int code);

    ItemBuilder& text(const QString& text);    // Meisai
    ItemBuilder& reading(const QString& kana); // Furi
    ItemBuilder& category(int category);       // Kubun
    ItemBuilder& price(int yen);               // Tanka
};

} // namespace kv::test
