#pragma once

#include "masters/TableDialog.h"
#include "masters/core/ReferenceLists.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kv {
class CEditEx;
class CListCtrlEx;
template <typename Row>
class TypedListModel;
}

namespace kv::data {
class SettingsList;
}

namespace kv::masters {

class KanaButtonBar;

// The maintenance of a typing-aid table (addresses, customer names, the
// models of a make): the list with its kana index, the input area below.
// A row chosen with the left button is modified, one clicked with the right
// button deleted; each change is announced with the dialog's title.
class CDSetReferenceList : public TableDialog {
    Q_OBJECT
public:
    const ReferenceListKind& kind() const { return m_store.kind(); }
    CListCtrlEx* list() const { return m_list; }
    KanaButtonBar* kanaButtons() const { return m_kana; }
    CEditEx* textEdit() const { return m_text; }
    CEditEx* readingEdit() const { return m_reading; } // nullptr for models
    QComboBox* makeCombo() const { return m_makes; }  // models only
    QLabel* countLabel() const { return m_count; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* clearButton() const { return m_clear; }
    int modifiedId() const { return m_modified; }

protected:
    // makes: the make list of the vehicle form, for the models only.
    CDSetReferenceList(data::CCarMaintenanceDoc& document, ReferenceTable table,
                       const data::SettingsList* makes, QWidget* parent);

private:
    void fillList();
    void showCount();
    void clearInput();
    void onRowSelected(int row);
    void onKana(int button);
    void onRecord();
    void onDelete(const QPoint& at);
    void focus(ReferenceListStore::Field field);
    int rowOfId(int id) const;

    ReferenceListStore m_store;
    TypedListModel<ReferenceRow>* m_rows = nullptr;
    int m_modified = 0;
    bool m_syncing = false;
    CListCtrlEx* m_list = nullptr;
    KanaButtonBar* m_kana = nullptr;
    QComboBox* m_makes = nullptr;
    CEditEx* m_text = nullptr;
    CEditEx* m_reading = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_clear = nullptr;
};

// 住所: the address phrases of "007.mdb".
class CDSetJyu : public CDSetReferenceList {
    Q_OBJECT
public:
    explicit CDSetJyu(data::CCarMaintenanceDoc& document, QWidget* parent = nullptr);
};

// 名前: the customer names of "008.mdb".
class CDSetKokName : public CDSetReferenceList {
    Q_OBJECT
public:
    explicit CDSetKokName(data::CCarMaintenanceDoc& document, QWidget* parent = nullptr);
};

// 車種: the models of "006.mdb", make by make.
class CDSetSyasyu : public CDSetReferenceList {
    Q_OBJECT
public:
    CDSetSyasyu(data::CCarMaintenanceDoc& document, const data::SettingsList& makes,
                QWidget* parent = nullptr);
};

} // namespace kv::masters
