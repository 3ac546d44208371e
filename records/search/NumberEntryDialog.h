#pragma once

#include "records/search/SearchEntryDialog.h"

namespace kv::records::search {

// A code or number field: whole numbers from low to high, refused with the
// stock range message.
class NumberEntryDialog : public SearchEntryDialog {
    Q_OBJECT
public:
    int value() const;

protected:
    NumberEntryDialog(const QString& caption, const QString& label, int low, int high,
                      QWidget* parent);
    bool acceptText(const QString& text) override;

private:
    int m_low;
    int m_high;
};

} // namespace kv::records::search
