#pragma once

#include "records/search/SearchEntryDialog.h"

namespace kv::records::search {

// F2: the start of a reading, half-width katakana of up to 20 bytes.
class CDKokFuriSearch : public SearchEntryDialog {
    Q_OBJECT
public:
    explicit CDKokFuriSearch(QWidget* parent = nullptr);

protected:
    bool acceptText(const QString& text) override;
};

} // namespace kv::records::search
