#pragma once

#include "data/settings/CategoryNames.h"
#include "masters/core/ItemProfile.h"
#include "masters/ItemListView.h"
#include "masters/core/ItemRowList.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QPushButton;

namespace kv::masters {

class ItemStore;
class KanaButtonBar;
class LineGridAccess;

// The form of the item pick list: the kana buttons, the item list, OK and
// cancel.
class CFMeisai : public QWidget {
    Q_OBJECT
public:
    explicit CFMeisai(QWidget* parent = nullptr);

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

// The item pick list of a line grid: a captioned popup over the grid's
// window, which stays disabled while the list is open. OK puts the focused
// item into the grid's current row.
class CMeisaiRefFrame : public QWidget {
    Q_OBJECT
public:
    // Opens the list for the grid; nullptr when the item table has no items
    // ("明細が存在しません！") or cannot be read. gridWindow is the slip or set
    // window: disabled while the list is open, enabled again after.
    static CMeisaiRefFrame* open(ItemStore& store, const kv::data::CategoryNames& categories,
                                 LineGridAccess& grid, GridContext context, QWidget* gridWindow);
    ~CMeisaiRefFrame() override;

    CFMeisai* form() const { return m_form; }
    ItemOrder order() const { return m_rows.order(); }
    const ItemRowList& rows() const { return m_rows; }
    QAction* codeOrderAction() const { return m_codeOrder; }
    QAction* readingOrderAction() const { return m_readingOrder; }

    void setOrder(ItemOrder order);
    void jumpToKana(int button);
    void accept();
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CMeisaiRefFrame(ItemStore& store, const kv::data::CategoryNames& categories,
                    LineGridAccess& grid, GridContext context, QWidget* gridWindow);
    bool handleKey(QKeyEvent* event);
    void showRows();
    void savePosition();

    ItemStore& m_store;
    const kv::data::CategoryNames& m_categories;
    LineGridAccess& m_grid;
    GridContext m_context;
    QPointer<QWidget> m_gridWindow;
    ItemRowList m_rows;
    CFMeisai* m_form;
    QAction* m_codeOrder;
    QAction* m_readingOrder;
    bool m_positionSaved = false;
};

} // namespace kv::masters
