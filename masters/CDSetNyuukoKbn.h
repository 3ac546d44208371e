#pragma once

#include "masters/TableDialog.h"
#include "masters/core/JobCategories.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kv {
class CEditEx;
class CListCtrlEx;
template <typename Row>
class TypedListModel;
}

namespace kv::masters {

// The job categories (入庫区分): at most 20, each a name and one of ten
// kinds. A row chosen with the left button is modified, one clicked with
// the right button deleted; a category that slips or ledger rows use stays
// as it is. Every change is announced.
class CDSetNyuukoKbn : public TableDialog {
    Q_OBJECT
public:
    static QString updateKind(); // "入庫区分"

    explicit CDSetNyuukoKbn(data::CCarMaintenanceDoc& document, QWidget* parent = nullptr);

    CListCtrlEx* list() const { return m_list; }
    CEditEx* nameEdit() const { return m_name; }
    QComboBox* kindCombo() const { return m_kinds; }
    QLabel* countLabel() const { return m_count; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* clearButton() const { return m_clear; }
    // The code of the category being modified, 0 for a new one.
    int modifiedCode() const { return m_modified; }

private:
    void fillList();
    void showCount();
    void clearInput();
    void onRowSelected(int row);
    void onRecord();
    void onDelete(const QPoint& at);
    void show(const JobCategoryStore::Outcome& outcome);

    JobCategoryStore m_store;
    TypedListModel<JobCategory>* m_rows = nullptr;
    int m_modified = 0;
    bool m_syncing = false;
    CListCtrlEx* m_list = nullptr;
    CEditEx* m_name = nullptr;
    QComboBox* m_kinds = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_clear = nullptr;
};

} // namespace kv::masters
