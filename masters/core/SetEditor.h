#pragma once

#include "data/tables/TableRows.h"
#include "masters/core/ItemEditor.h"
#include "masters/core/SetStore.h"
#include "masters/core/ShownCodeLock.h"

#include <optional>
#include <vector>

namespace kv::lan {
class ChangeAnnouncer;
}

namespace kv::masters {

enum class SetState { New, Modify, Delete };
enum class SetField { None, Code, Name, Reading, Lines };

// The set window without its widgets: the header fields, the new, modify
// and delete states, the window's own placeholder and its edit lock on
// "012.mdb", recording and deleting a set (header and lines as one unit of
// work), the set counter and the change messages. The lines themselves
// are the grid's; they come in for recording and go out for loading.
class SetEditor {
public:
    using Lines = std::vector<kv::data::SyaJnlRow>;

    SetEditor(SetStore& store, kv::lan::ChangeAnnouncer& announcer);
    ~SetEditor();
    SetEditor(const SetEditor&) = delete;
    SetEditor& operator=(const SetEditor&) = delete;

    // Reads the counter and reserves the lowest free code (state new).
    void open();
    // Drops the placeholder, releases the lock and resets the shared header
    // view; false after "クリアに失敗しました！" (the window stays open).
    bool close(ItemOrder listOrder = ItemOrder::Code);

    int code() const { return m_code; }
    SetState state() const { return m_state; }
    int ownPlaceholder() const { return m_ownPlaceholder; }
    int lockedCode() const { return m_lock.code(); }
    int setCount() const { return m_count; }
    QString countLabel() const;
    QString codeText() const { return QString::number(m_code); }
    QString name;
    QString reading;
    // The field that should get the focus after the last action, once.
    SetField takeFocusRequest();

    // Leaving the code field; loaded holds the set's lines when an existing
    // set was loaded (the grid is then cleared and filled from row 0).
    FieldOutcome leaveCode(const QString& text, std::optional<Lines>* loaded);
    // "新規": false after the message when the lock could not be released.
    bool newSet();
    // "修正": false after "ｾｯﾄが存在しません！"; otherwise the window is new
    // and the set pick list is to choose the set to modify.
    bool startModify();
    // The set chosen for modifying; its lines, or nullopt after the message.
    std::optional<Lines> chooseForModify(int code);
    // "削除" (modify state only): the stored set's lines to show before the
    // question; nullopt after the message (the state returns).
    std::optional<Lines> beginDelete();
    // Asks and deletes; true when the set is gone.
    bool confirmDelete();
    // The name and the reading are filled in; false after the message,
    // with the focus request on the empty one.
    bool checkHeader();
    // "記録" with the grid's lines (already checked); true when written.
    bool record(const Lines& lines);

    // Another computer recorded or deleted a set: the count is read again.
    void refreshCount();

private:
    void dropOwnPlaceholder();
    // Reserves the lowest free code and claims it; state new.
    void reserveNew();
    void load(const SetHeader& header);
    void requestFocus(SetField field) { m_focus = field; }

    SetStore& m_store;
    kv::lan::ChangeAnnouncer& m_announcer;
    ShownCodeLock m_lock;
    int m_code = 0;
    int m_ownPlaceholder = 0;
    int m_count = 0;
    SetState m_state = SetState::New;
    SetState m_stateBeforeDelete = SetState::Modify;
    SetField m_focus = SetField::None;
    bool m_open = false;
};

} // namespace kv::masters
