#pragma once

#include "records/search/NumberEntryDialog.h"

namespace kv::records::search {

// F3: the vehicle code.
class CDCarCodeSearch : public NumberEntryDialog {
    Q_OBJECT
public:
    explicit CDCarCodeSearch(QWidget* parent = nullptr);
};

} // namespace kv::records::search
