#pragma once

#include "data/settings/CategoryNames.h"
#include "masters/core/ItemRow.h"
#include "masters/core/ItemRowList.h"
#include "masters/core/ShownCodeLock.h"

#include <QString>

namespace kv::lan {
class ChangeAnnouncer;
}

namespace kv::masters {

class ItemStore;

// The texts of the item dialog's input area.
struct ItemFields {
    QString code;
    QString text;
    QString reading;
    QString category;
    QString price;
    bool operator==(const ItemFields&) const = default;
};

enum class ItemField { None, Code, Text, Reading, Category, Price, List };

// What became of a field the user left: accepted (text is its canonical
// form), refused (message to show, text the field is reset to), or accepted
// with the focus back in the field because a message was shown already.
struct FieldOutcome {
    enum Kind { Accepted, Refused, FocusBack };
    Kind kind = Accepted;
    QString text;
    QString message;

    static FieldOutcome accepted(const QString& text) { return {Accepted, text, {}}; }
    static FieldOutcome refused(const QString& message, const QString& resetText)
    {
        return {Refused, resetText, message};
    }
};

// The item dialog without its window: the list rows, the input area, the
// new and modify states, the dialog's own placeholder and its edit lock on
// "011.mdb". Whatever happens, close() (or the destructor) leaves neither
// placeholder nor lock behind.
class ItemEditor {
public:
    ItemEditor(ItemStore& store, const kv::data::CategoryNames& categories,
               kv::lan::ChangeAnnouncer& announcer);
    ~ItemEditor();
    ItemEditor(const ItemEditor&) = delete;
    ItemEditor& operator=(const ItemEditor&) = delete;

    // Reads the items into the list, sorts, clears the input area. False
    // after a database error.
    bool open(ItemOrder order);
    // Drops the placeholder, releases the lock and resets the shared item
    // view; safe to call more than once.
    void close();

    const ItemRowList& rows() const { return m_rows; }
    // Rises whenever the rows or their order change.
    int rowsVersion() const { return m_rowsVersion; }
    int selectedRow() const { return m_selected; }
    bool isModifying() const { return m_modify; }
    int code() const { return m_code; }
    int ownPlaceholder() const { return m_ownPlaceholder; }
    int lockedCode() const { return m_lock.code(); }
    int itemCount() const { return m_count; }
    // "%4d/%4d件"
    QString countLabel() const;

    ItemFields& fields() { return m_fields; }
    const ItemFields& fields() const { return m_fields; }
    // The field that should get the focus after the last action, once.
    ItemField takeFocusRequest();

    FieldOutcome leaveCode(const QString& text);
    FieldOutcome leaveCategory(const QString& text);
    FieldOutcome leavePrice(const QString& text);

    // A list row chosen by mouse or keys.
    void selectRow(int index);
    // Records the input area; true when written.
    bool record();
    // Deletes the selected row's item after the question; true when deleted.
    bool deleteSelected();
    // Empties the input area and reserves the next free code.
    void clearInput();

    void setOrder(ItemOrder order);
    // Reading order: the kana button picks the row (which is then selected
    // as if chosen); the row's index or -1.
    int jumpToKana(int button);

    // Another computer recorded or deleted an item.
    void applyRemoteUpdate(int code, const QString& text, const QString& reading);
    void applyRemoteDelete(int code);

private:
    void dropOwnPlaceholder();
    void load(const ItemRecord& item);
    void refreshCount();
    void changedRows() { ++m_rowsVersion; }
    void requestFocus(ItemField field) { m_focus = field; }
    void requery();

    ItemStore& m_store;
    const kv::data::CategoryNames& m_categories;
    kv::lan::ChangeAnnouncer& m_announcer;
    ShownCodeLock m_lock;

    ItemRowList m_rows;
    int m_rowsVersion = 0;
    int m_selected = -1;
    ItemFields m_fields;
    ItemField m_focus = ItemField::None;
    int m_code = 0;
    int m_ownPlaceholder = 0;
    int m_count = 0;
    bool m_modify = false;
    bool m_open = false;
};

} // namespace kv::masters
