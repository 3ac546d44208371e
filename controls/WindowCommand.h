#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

namespace kv {

// A command of a window's toolbar: the action with its text, the tip shown
// as tool tip and in the status bar, and its key, which works from every
// field of the window. The window owns the action.
QAction* addWindowCommand(QWidget* window, const QString& text, const QString& tip,
                          const QKeySequence& key);

} // namespace kv
