#include "controls/StatusPanes.h"

#include "controls/platform/KeyboardIndicators.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>

namespace kv {

namespace {

const QString kKana = QStringLiteral("ｶﾅ");
const QString kCaps = QStringLiteral("CAP");
const QString kNum = QStringLiteral("NUM");
const QString kScroll = QStringLiteral("SCRL");

} // namespace

StatusPanes::StatusPanes(QStatusBar* bar)
    : QObject(bar)
    , m_kana(addPane(bar, kKana, QStringLiteral("kanaPane")))
    , m_caps(addPane(bar, kCaps, QStringLiteral("capsPane")))
    , m_num(addPane(bar, kNum, QStringLiteral("numPane")))
    , m_scroll(addPane(bar, kScroll, QStringLiteral("scrollPane")))
{
    qApp->installEventFilter(this);
    updateIndicators();
}

QLabel* StatusPanes::addPane(QStatusBar* bar, const QString& widest, const QString& name)
{
    auto* label = new QLabel(widest, bar);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 10);
    bar->addPermanentWidget(label);
    return label;
}

void StatusPanes::updateIndicators()
{
    const KeyboardIndicators::State keys = KeyboardIndicators::current();
    // Like the classic indicator panes: the text shows only while the lock is on.
    m_kana->setText(keys.kana ? kKana : QString());
    m_caps->setText(keys.capsLock ? kCaps : QString());
    m_num->setText(keys.numLock ? kNum : QString());
    m_scroll->setText(keys.scrollLock ? kScroll : QString());
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event)
{
    // A key release reaches the filter once per object it passes; only the
    // first one, at the window that has the focus, needs a look.
    const bool keyReleased = event->type() == QEvent::KeyRelease && watched->isWidgetType()
                             && static_cast<QWidget*>(watched) == QApplication::focusWidget();
    if (keyReleased || event->type() == QEvent::ApplicationActivate)
        updateIndicators();
    return false;
}

} // namespace kv
