#pragma once

#include "records/search/NumberEntryDialog.h"

namespace kv::ledger {

// F4 of the ledger: the slip number whose ledger line is to be shown.
class CDDennoSearch : public records::search::NumberEntryDialog {
    Q_OBJECT
public:
    explicit CDDennoSearch(QWidget* parent = nullptr);
};

} // namespace kv::ledger
