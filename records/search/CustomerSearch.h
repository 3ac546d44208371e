#pragma once

#include "records/search/ReadingRange.h"
#include "records/search/SearchRows.h"

#include <optional>

namespace kv::data {
class DataStore;
}

namespace kv::records::search {

// Look-ups of customers for the searches, each an index seek or an index
// range on the customer table; placeholders ("新規作成中") are never found.
class CustomerSearch {
public:
    explicit CustomerSearch(data::DataStore& store);

    // The customers whose reading lies in the range, in reading order
    // ("Furi, KokCode"), at most capacity of them.
    RowList<CustomerRow> inReadingRange(const ReadingRange& range, int capacity,
                                        bool firstAddressLineOnly);
    // Hoyu (the vehicle count) of the customer; nothing when it does not exist.
    std::optional<int> ownedVehicleCount(int customerCode);
    // Whether any customer exists.
    bool any();

    // The condition that keeps placeholders out.
    static QString notPlaceholder();

private:
    data::DataStore& m_store;
};

} // namespace kv::records::search
