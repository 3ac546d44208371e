#pragma once

#include "data/settings/CategoryNames.h"
#include "masters/CKubunRefFrame.h"
#include "masters/ItemListView.h"
#include "masters/core/ItemEditor.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace kv {
class CButtonEx;
class CEditEx;
class CNumericEditEx;
class FieldVerdict;
}

namespace kv::lan {
class ChangeAnnouncer;
}

namespace kv::masters {

class ItemStore;
class KanaButtonBar;

// The item dialog (作業・部品): the list of all items on the left, the
// input area on the right, where items are created, changed and deleted.
// Modal; whichever way it closes, its placeholder and its edit lock go.
class CDSetMeisai : public QDialog {
    Q_OBJECT
public:
    CDSetMeisai(ItemStore& store, const kv::data::CategoryNames& categories,
                kv::lan::ChangeAnnouncer& announcer, QWidget* parent = nullptr);
    ~CDSetMeisai() override;

    // The dialog while it is open, for the LAN message handler.
    static CDSetMeisai* openInstance();

    // Another computer recorded an item: its row is updated or added.
    void refreshItem(int code, const QString& text, const QString& reading);
    // Another computer deleted an item: its row goes.
    void removeItem(int code);

    const ItemEditor& editor() const { return m_editor; }
    ItemListView* list() const { return m_list; }
    CNumericEditEx* codeEdit() const { return m_code; }
    CEditEx* textEdit() const { return m_text; }
    CEditEx* readingEdit() const { return m_reading; }
    CEditEx* categoryEdit() const { return m_category; }
    CEditEx* priceEdit() const { return m_price; }
    QLabel* countLabel() const { return m_countLabel; }
    KanaButtonBar* kanaButtons() const { return m_kana; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* closeButton() const { return m_close; }
    CButtonEx* categoryButton() const { return m_categoryButton; }
    CKubunRefFrame* categoryWindow() const { return m_categoryWindow; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectControls();
    void readFields();
    void showState();
    void showList();
    void applyFocusRequest();
    FieldVerdict verdictOf(const FieldOutcome& outcome);
    void onRowSelected(int row);
    void onRecord();
    void onClear();
    void onDelete(const QPoint& at);
    void onHeaderClicked(int column);
    void onKana(int button);
    void setCategoryWindowShown(bool shown);
    void finish();

    ItemEditor m_editor;
    const kv::data::CategoryNames& m_categories;
    int m_shownRowsVersion = -1;
    bool m_syncing = false;
    bool m_finished = false;
    bool m_shownOnce = false;

    ItemListView* m_list = nullptr;
    KanaButtonBar* m_kana = nullptr;
    CNumericEditEx* m_code = nullptr;
    CEditEx* m_text = nullptr;
    CEditEx* m_reading = nullptr;
    CButtonEx* m_categoryButton = nullptr;
    CEditEx* m_category = nullptr;
    CEditEx* m_price = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_countLabel = nullptr;
    QPointer<CKubunRefFrame> m_categoryWindow;
};

} // namespace kv::masters
