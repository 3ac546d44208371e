#pragma once

#include "records/PostalSearch.h"

#include <QDialog>

#include <vector>

namespace kv {
class CListCtrlEx;
}

namespace kv::records {

// The addresses of one postal code, or the codes of one address, when there
// are several: the user takes one with Enter or a double click.
class CDPostSelect : public QDialog {
    Q_OBJECT
public:
    CDPostSelect(const std::vector<PostalAddress>& addresses, QWidget* parent = nullptr);

    // The row taken, -1 before one is.
    int chosen() const { return m_chosen; }
    CListCtrlEx* list() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take();

    CListCtrlEx* m_list = nullptr;
    int m_chosen = -1;
};

} // namespace kv::records
