#pragma once

#include "masters/core/ReferenceLists.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv {
class CEditEx;
class CListCtrlEx;
template <typename Row>
class TypedListModel;
}

namespace kv::masters {

// A list of fixed size in a settings file: every slot a row, one input
// field; recording stores the field's text in the selected slot, writes
// the whole file and announces the slot. Slots recorded stay recorded when
// the dialog is left with Esc.
class CDSetFixedList : public QDialog {
    Q_OBJECT
public:
    const FixedListKind& kind() const { return m_editor.kind(); }
    CListCtrlEx* list() const { return m_list; }
    CEditEx* textEdit() const { return m_text; }
    QPushButton* recordButton() const { return m_record; }
    // The slot of a row, and back.
    int slotOfRow(int row) const { return kind().first + row; }
    int rowOfSlot(int slot) const { return slot - kind().first; }

    // Another computer changed a slot and the file was read again: its row
    // shows the text now held. The input field is left to the user.
    void showSlot(int slot);
    // The open dialog of the list a LAN "Update" kind names, if any.
    static CDSetFixedList* openFor(const QString& announceKind);

protected:
    CDSetFixedList(data::SettingsStore& settings, const FixedListKind& kind, QWidget* parent);

private:
    struct Slot {
        int index = 0;
        QString text;
    };

    void onRowSelected(int row);
    void onRecord();

    FixedListEditor m_editor;
    TypedListModel<Slot>* m_slots = nullptr;
    bool m_syncing = false;
    CListCtrlEx* m_list = nullptr;
    CEditEx* m_text = nullptr;
    QPushButton* m_record = nullptr;
};

// 陸事: the 20 transport offices of "006.dat".
class CDSetRikuji : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetRikuji(data::SettingsStore& settings, QWidget* parent = nullptr);
};
// 車名: the makes of "013.dat".
class CDSetSyamei : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetSyamei(data::SettingsStore& settings, QWidget* parent = nullptr);
};
// 種別: the vehicle classes of "010.dat" from the second on.
class CDSetSyubetu : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetSyubetu(data::SettingsStore& settings, QWidget* parent = nullptr);
};
// 用途: the uses of "011.dat".
class CDSetYouto : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetYouto(data::SettingsStore& settings, QWidget* parent = nullptr);
};
// 燃料の種類: the fuels of "014.dat".
class CDSetNenryo : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetNenryo(data::SettingsStore& settings, QWidget* parent = nullptr);
};
// 車体の形状: the body shapes of "012.dat".
class CDSetKeijyo : public CDSetFixedList {
    Q_OBJECT
public:
    explicit CDSetKeijyo(data::SettingsStore& settings, QWidget* parent = nullptr);
};

} // namespace kv::masters
