#pragma once

#include "records/search/NumberEntryDialog.h"

namespace kv::records::search {

// F1: the customer code, preset to 1.
class CDKokCodeSearch : public NumberEntryDialog {
    Q_OBJECT
public:
    explicit CDKokCodeSearch(QWidget* parent = nullptr);
};

} // namespace kv::records::search
