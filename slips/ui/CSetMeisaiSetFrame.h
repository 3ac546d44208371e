#pragma once

#include "masters/core/SetEditor.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QSettings;
class QSplitter;

namespace kv::data {
class SettingsStore;
}

namespace kv::lan {
class ChangeAnnouncer;
}

namespace kv::masters {
class ItemStore;
class SetStore;
} // namespace kv::masters

namespace kv::slips {

class CFSetMeisaiSet;
class CMeisaiScView;

// The set window (作業・部品ｾｯﾄ): the set's header above the line grid in
// its set mode. New (F3), modify (F4) through the set pick list, delete
// (F5) and record (F12) work through the set editor; the line keys and the
// three lists act on the grid. Closing gives back the window's placeholder
// and lock; when the lock cannot be given back the window stays.
class CSetMeisaiSetFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Setup {
        masters::SetStore* sets = nullptr;
        // The items for typed codes and the item pick list; may be none.
        masters::ItemStore* items = nullptr;
        data::SettingsStore* settings = nullptr;
        kv::lan::ChangeAnnouncer* announcer = nullptr;
        // The user's profile; not owned.
        QSettings* profile = nullptr;
        // Where the window opens when the profile has no place yet.
        QPoint fallbackPosition;
    };

    explicit CSetMeisaiSetFrame(const Setup& setup, QWidget* parent = nullptr);
    ~CSetMeisaiSetFrame() override;

    // The window while it is open, for the LAN message handler.
    static CSetMeisaiSetFrame* openInstance();
    // Another computer recorded (deleted false) or deleted a set: the count
    // label is read again once its write is surely visible.
    void setsChanged(bool deleted);

    const masters::SetEditor& editor() const { return m_editor; }
    CFSetMeisaiSet* header() const { return m_header; }
    CMeisaiScView* grid() const { return m_grid; }
    QAction* commandAction(int key) const;

    void activateHeader();
    void activateLines();
    void newSet();
    void modifySet();
    void deleteSet();
    bool recordSet();

signals:
    void closedWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(const QString& text, const QKeySequence& key, std::function<void()> run);
    void connectFields();
    void readFields();
    void showFields();
    void showLines(const masters::SetEditor::Lines& lines);
    void clearGrid();
    void applyFocusRequest();
    void updateCommands();
    void storePlacement();
    void setCategoryListShown(bool shown);

    masters::SetStore& m_sets;
    masters::SetEditor m_editor;
    QSettings* m_profile;
    CFSetMeisaiSet* m_header;
    CMeisaiScView* m_grid;
    QSplitter* m_panes;
    QHash<int, QAction*> m_byKey;
    QAction* m_new = nullptr;
    QAction* m_modify = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_categories = nullptr;
    bool m_choosing = false;
    bool m_closed = false;
};

} // namespace kv::slips
