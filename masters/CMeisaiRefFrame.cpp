#include "masters/CMeisaiRefFrame.h"

#include "common/MessageGateway.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemRules.h"
#include "masters/core/ItemStore.h"
#include "masters/core/KanaIndex.h"
#include "masters/core/LineGridAccess.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::masters {
namespace {

// The main window: the top of the chain of owners.
QWidget* mainWindowOf(QWidget* widget)
{
    QWidget* window = widget ? widget->window() : nullptr;
    while (window && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

} // namespace

CFMeisai::CFMeisai(QWidget* parent)
    : QWidget(parent),
      m_list(new ItemListView(QStringLiteral("                      作業・部品（↑↓）"), this)),
      m_kana(new KanaButtonBar(KanaButtonBar::Captions::PickList, this)),
      m_ok(new QPushButton(QStringLiteral("OK(Enter)"), this)),
      m_cancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(Esc)"), this))
{
    m_list->setObjectName(QStringLiteral("itemList"));
    m_list->setMinimumWidth(380);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_kana);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

CMeisaiRefFrame* CMeisaiRefFrame::open(ItemStore& store, const kv::data::CategoryNames& categories,
                                       LineGridAccess& grid, GridContext context,
                                       QWidget* gridWindow)
{
    const auto items = store.readAll();
    if (!items)
        return nullptr;
    ItemRowList rows;
    rows.assign(*items);
    if (rows.isEmpty()) {
        kv::showMessage(QStringLiteral("明細が存在しません！"));
        return nullptr;
    }
    auto* frame = new CMeisaiRefFrame(store, categories, grid, context, gridWindow);
    frame->m_rows = std::move(rows);
    frame->m_rows.setOrder(ItemProfile().pickListOrder());
    frame->showRows();
    frame->m_codeOrder->setChecked(frame->order() == ItemOrder::Code);
    frame->m_readingOrder->setChecked(frame->order() == ItemOrder::Reading);
    frame->m_form->kanaButtons()->setVisible(frame->order() == ItemOrder::Reading);
    if (frame->order() == ItemOrder::Reading)
        frame->jumpToKana(0);
    else
        frame->m_form->list()->selectRow(0);
    if (gridWindow)
        gridWindow->setEnabled(false);
    frame->show();
    frame->m_form->list()->setFocus(Qt::OtherFocusReason);
    return frame;
}

CMeisaiRefFrame::CMeisaiRefFrame(ItemStore& store, const kv::data::CategoryNames& categories,
                                 LineGridAccess& grid, GridContext context, QWidget* gridWindow)
    : QWidget(mainWindowOf(gridWindow), Qt::Window | Qt::WindowTitleHint
                                            | Qt::CustomizeWindowHint),
      m_store(store), m_categories(categories), m_grid(grid), m_context(context),
      m_gridWindow(gridWindow), m_form(new CFMeisai(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ItemRules::kindTitle());
    auto* toolBar = new QToolBar(this);
    auto* orders = new QActionGroup(this);
    orders->setExclusive(true);
    m_codeOrder = toolBar->addAction(QStringLiteral("ｺｰﾄﾞ順(F1)"));
    m_readingOrder = toolBar->addAction(QStringLiteral("ﾌﾘｶﾞﾅ順(F2)"));
    for (QAction* action : {m_codeOrder, m_readingOrder}) {
        action->setCheckable(true);
        orders->addAction(action);
    }
    connect(m_codeOrder, &QAction::triggered, this, [this] { setOrder(ItemOrder::Code); });
    connect(m_readingOrder, &QAction::triggered, this, [this] { setOrder(ItemOrder::Reading); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolBar);
    layout->addWidget(m_form);

    connect(m_form->okButton(), &QPushButton::clicked, this, &CMeisaiRefFrame::accept);
    connect(m_form->cancelButton(), &QPushButton::clicked, this, &CMeisaiRefFrame::cancel);
    connect(m_form->kanaButtons(), &KanaButtonBar::chosen, this, &CMeisaiRefFrame::jumpToKana);
    m_form->list()->installEventFilter(this);

    const QWidget* mainWindow = parentWidget();
    const QPoint fallback = (mainWindow ? mainWindow->pos() : QPoint()) + QPoint(7, 86);
    resize(440, 420);
    move(ItemProfile().position(ItemProfile::pickListSection(context), fallback));
}

CMeisaiRefFrame::~CMeisaiRefFrame()
{
    savePosition();
    if (m_gridWindow)
        m_gridWindow->setEnabled(true);
}

void CMeisaiRefFrame::showRows()
{
    m_form->list()->fill(m_rows);
}

void CMeisaiRefFrame::setOrder(ItemOrder order)
{
    ItemProfile().setPickListOrder(order);
    m_codeOrder->setChecked(order == ItemOrder::Code);
    m_readingOrder->setChecked(order == ItemOrder::Reading);
    m_form->kanaButtons()->setVisible(order == ItemOrder::Reading);
    const int focused = m_form->list()->codeOfRow(m_form->list()->currentRow());
    m_rows.setOrder(order);
    showRows();
    if (order == ItemOrder::Reading)
        jumpToKana(0);
    else
        m_form->list()->selectRow(std::max(0, m_rows.indexOf(focused)));
}

void CMeisaiRefFrame::jumpToKana(int button)
{
    if (m_rows.order() != ItemOrder::Reading)
        return;
    m_form->kanaButtons()->press(button);
    const int row = KanaIndex::rowFor(button, m_rows.rows());
    CListCtrlEx* list = m_form->list();
    list->selectRow(row);
    if (row >= 0)
        list->scrollTo(list->rows()->index(row, 0), QAbstractItemView::PositionAtTop);
    list->setFocus(Qt::OtherFocusReason);
}

void CMeisaiRefFrame::accept()
{
    CListCtrlEx* list = m_form->list();
    const int code = list->codeOfRow(list->currentRow());
    const auto item = code > 0 ? m_store.find(code) : std::nullopt;
    if (!item)
        return;
    putItemIntoGrid(m_grid, *item, ItemRules::categoryName(item->category, m_categories));
    const int row = m_grid.currentRow();
    LineGridAccess& grid = m_grid;
    close();
    grid.afterItemPut(row);
}

void CMeisaiRefFrame::cancel()
{
    LineGridAccess& grid = m_grid;
    close();
    grid.focusCurrentCell();
}

bool CMeisaiRefFrame::handleKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F1: setOrder(ItemOrder::Code); return true;
    case Qt::Key_F2: setOrder(ItemOrder::Reading); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return true;
    case Qt::Key_Escape: cancel(); return true;
    default: break;
    }
    if (m_rows.order() == ItemOrder::Reading && event->key() >= Qt::Key_0
        && event->key() <= Qt::Key_9 && event->modifiers() == Qt::NoModifier) {
        jumpToKana(KanaIndex::buttonOfDigit(event->key() - Qt::Key_0));
        return true;
    }
    return false;
}

bool CMeisaiRefFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form->list() && event->type() == QEvent::KeyPress
        && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CMeisaiRefFrame::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void CMeisaiRefFrame::savePosition()
{
    if (m_positionSaved)
        return;
    m_positionSaved = true;
    ItemProfile().setPosition(ItemProfile::pickListSection(m_context), pos());
}

void CMeisaiRefFrame::closeEvent(QCloseEvent* event)
{
    savePosition();
    if (m_gridWindow)
        m_gridWindow->setEnabled(true);
    QWidget::closeEvent(event);
}

} // namespace kv::masters
