#pragma once

#include "masters/ItemListView.h"
#include "masters/core/ItemRowList.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QPushButton;

namespace kv::masters {

class KanaButtonBar;

// The form of a pick list of coded rows (items, sets): the kana buttons,
// the list, OK and cancel.
class CodePickForm : public QWidget {
    Q_OBJECT
public:
    CodePickForm(ItemListView* list, QWidget* parent = nullptr);

    ItemListView* list() const { return m_list; }
    KanaButtonBar* kanaButtons() const { return m_kana; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    ItemListView* m_list;
    KanaButtonBar* m_kana;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// A captioned popup pick list over the window that opened it, which stays
// disabled while the list is open: a tool bar with code order (F1) and
// reading order (F2), the order remembered in the profile, the digits as
// the kana buttons in reading order, Enter for OK and Esc to cancel. Its
// position is stored in its profile section when it goes.
class CodePickFrame : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        // "CodeFuri" of this section holds the order (0 code, 1 reading).
        QString orderSection;
        // "x", "y" of this section hold the position.
        QString positionSection;
        QString title;
        // The window disabled while the list is open.
        QWidget* opener = nullptr;
        // Whether rows can be marked to be taken all at once.
        bool marking = false;
    };

    ~CodePickFrame() override;

    ItemOrder order() const { return m_rows.order(); }
    const ItemRowList& rows() const { return m_rows; }
    QAction* codeOrderAction() const { return m_codeOrder; }
    QAction* readingOrderAction() const { return m_readingOrder; }

    void setOrder(ItemOrder order);
    void jumpToKana(int button);
    virtual void accept() = 0;
    virtual void cancel();

protected:
    CodePickFrame(CodePickForm* form, Setup setup);
    CodePickForm* pickForm() const { return m_form; }
    // Fills the list in the remembered order, selects as the order wants,
    // disables the opener and shows the window.
    void start(ItemRowList rows);
    // Code of the focused row, 0 when none.
    int focusedCode() const;
    // The marked rows' codes in the list's order, or when none is marked
    // the focused row's; empty when there is neither.
    QList<int> chosenCodes() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    void savePosition();
    void enableOpener();

    Setup m_setup;
    QPointer<QWidget> m_opener;
    ItemRowList m_rows;
    CodePickForm* m_form;
    QAction* m_codeOrder;
    QAction* m_readingOrder;
    bool m_positionSaved = false;
};

// The main window: the top of the chain of owners.
QWidget* mainWindowOf(QWidget* widget);

} // namespace kv::masters
