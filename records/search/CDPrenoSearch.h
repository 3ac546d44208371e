#pragma once

#include "records/search/NumberEntryDialog.h"

namespace kv::records::search {

// F4: the plate number part, any whole number.
class CDPrenoSearch : public NumberEntryDialog {
    Q_OBJECT
public:
    explicit CDPrenoSearch(QWidget* parent = nullptr);
};

} // namespace kv::records::search
