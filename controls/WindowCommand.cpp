#include "controls/WindowCommand.h"

#include <QAction>
#include <QWidget>

namespace kv {

QAction* addWindowCommand(QWidget* window, const QString& text, const QString& tip,
                          const QKeySequence& key)
{
    auto* action = new QAction(text, window);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

} // namespace kv
