#include "masters/CodePickFrame.h"

#include "controls/WindowPlacement.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/KanaIndex.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::masters {

QWidget* mainWindowOf(QWidget* widget)
{
    QWidget* window = widget ? widget->window() : nullptr;
    while (window && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

CodePickForm::CodePickForm(ItemListView* list, QWidget* parent)
    : QWidget(parent),
      m_list(list),
      m_kana(new KanaButtonBar(KanaButtonBar::Captions::PickList, this)),
      m_ok(new QPushButton(QStringLiteral("OK(Enter)"), this)),
      m_cancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(Esc)"), this))
{
    m_list->setParent(this);
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

namespace {

// The list belongs to the main window, beside its opener, so that it stays
// usable while the opener is disabled; an opener that is a window of its
// own (the set window, which disables the main window) leaves it on its
// own too.
QWidget* ownerFor(QWidget* opener)
{
    QWidget* top = mainWindowOf(opener);
    return opener && top == opener->window() ? nullptr : top;
}

} // namespace

CodePickFrame::CodePickFrame(CodePickForm* form, Setup setup)
    : QWidget(ownerFor(setup.opener),
              Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_setup(std::move(setup)), m_opener(m_setup.opener), m_form(form)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_setup.title);
    m_form->setParent(this);
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

    connect(m_form->okButton(), &QPushButton::clicked, this, [this] { accept(); });
    connect(m_form->cancelButton(), &QPushButton::clicked, this, [this] { cancel(); });
    connect(m_form->kanaButtons(), &KanaButtonBar::chosen, this, &CodePickFrame::jumpToKana);
    m_form->list()->installEventFilter(this);

    const QPoint fallback =
        WindowPlacement::besideMainWindow(m_setup.opener).value_or(QPoint(7, 86));
    resize(440, 420);
    move(ItemProfile().position(m_setup.positionSection, fallback));
}

CodePickFrame::~CodePickFrame()
{
    savePosition();
    enableOpener();
}

void CodePickFrame::start(ItemRowList rows)
{
    m_rows = std::move(rows);
    m_form->list()->setMarkable(m_setup.marking);
    const ItemOrder order = ItemProfile().listOrder(m_setup.orderSection, ItemOrder::Code);
    m_rows.setOrder(order);
    m_form->list()->fill(m_rows);
    m_codeOrder->setChecked(order == ItemOrder::Code);
    m_readingOrder->setChecked(order == ItemOrder::Reading);
    m_form->kanaButtons()->setVisible(order == ItemOrder::Reading);
    if (order == ItemOrder::Reading)
        jumpToKana(0);
    else
        m_form->list()->selectRow(0);
    if (m_opener)
        m_opener->setEnabled(false);
    show();
    m_form->list()->setFocus(Qt::OtherFocusReason);
}

int CodePickFrame::focusedCode() const
{
    CListCtrlEx* list = m_form->list();
    return list->codeOfRow(list->currentRow());
}

QList<int> CodePickFrame::chosenCodes() const
{
    const QList<int> marked = m_form->list()->markedCodes();
    if (!marked.isEmpty())
        return marked;
    const int focused = focusedCode();
    return focused > 0 ? QList<int>{focused} : QList<int>{};
}

void CodePickFrame::setOrder(ItemOrder order)
{
    ItemProfile().setListOrder(m_setup.orderSection, order);
    m_codeOrder->setChecked(order == ItemOrder::Code);
    m_readingOrder->setChecked(order == ItemOrder::Reading);
    m_form->kanaButtons()->setVisible(order == ItemOrder::Reading);
    const int focused = focusedCode();
    m_rows.setOrder(order);
    m_form->list()->fill(m_rows);
    if (order == ItemOrder::Reading)
        jumpToKana(0);
    else
        m_form->list()->selectRow(std::max(0, m_rows.indexOf(focused)));
}

void CodePickFrame::jumpToKana(int button)
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

void CodePickFrame::cancel()
{
    close();
}

bool CodePickFrame::handleKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F1: setOrder(ItemOrder::Code); return true;
    case Qt::Key_F2: setOrder(ItemOrder::Reading); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return true;
    case Qt::Key_Escape: cancel(); return true;
    default: break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (m_rows.order() == ItemOrder::Reading && event->key() >= Qt::Key_0
        && event->key() <= Qt::Key_9 && modifiers == Qt::NoModifier) {
        jumpToKana(KanaIndex::buttonOfDigit(event->key() - Qt::Key_0));
        return true;
    }
    return false;
}

bool CodePickFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form->list() && event->type() == QEvent::KeyPress
        && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CodePickFrame::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void CodePickFrame::savePosition()
{
    if (m_positionSaved)
        return;
    m_positionSaved = true;
    ItemProfile().setPosition(m_setup.positionSection, pos());
}

void CodePickFrame::enableOpener()
{
    if (m_opener)
        m_opener->setEnabled(true);
}

void CodePickFrame::closeEvent(QCloseEvent* event)
{
    savePosition();
    enableOpener();
    QWidget::closeEvent(event);
}

} // namespace kv::masters
