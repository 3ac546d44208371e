#pragma once

#include "data/settings/CategoryNames.h"
#include "masters/core/ItemProfile.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace kv {
class CListCtrlEx;
}

namespace kv::masters {

class LineGridAccess;

// The category window: the 19 category names (" NO", "区 分") in a small
// window beside the item dialog or a line grid. Beside the dialog, the row
// the user selects is reported at once; beside a grid, whose cell is a
// stored line, only a row chosen with Enter, a double click or OK is, so
// that giving the window the focus or browsing it changes nothing. The
// position is kept in the profile section given.
class CKubunRefFrame : public QWidget {
    Q_OBJECT
public:
    enum class Buttons { CancelOnly, OkAndCancel };
    enum class Choice { OnSelection, Explicit };

    CKubunRefFrame(const kv::data::CategoryNames& categories, QString profileSection,
                   Buttons buttons, QPoint defaultPosition, QWidget* owner,
                   Choice choice = Choice::OnSelection);
    ~CKubunRefFrame() override;

    // The window of a line grid: a chosen category goes into cell 1 of the
    // grid's current row and the focus back to the grid; cancel gives the
    // focus back to the grid.
    // anchor is the slip or set window the default position counts from.
    static CKubunRefFrame* openForGrid(const kv::data::CategoryNames& categories,
                                       LineGridAccess& grid, GridContext context,
                                       QWidget* anchor);

    CListCtrlEx* list() const { return m_list; }
    const QString& profileSection() const { return m_section; }

signals:
    void categoryChosen(int index, const QString& name);
    void okClicked();
    // The cancel button or Esc: "SW" is 0 and the window closes.
    void cancelled();
    // Sent as the window closes, whatever closed it.
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cancel();
    void savePosition();
    // Reports the row as chosen, when it is one of the names.
    void choose(int row);

    const kv::data::CategoryNames& m_categories;
    QString m_section;
    Choice m_choice;
    CListCtrlEx* m_list;
    bool m_positionSaved = false;
};

} // namespace kv::masters
