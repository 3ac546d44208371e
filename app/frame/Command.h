#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

namespace kv::app {

// One command of the main window as its owner registers it. The frame
// shows it in the menu items, buttons and keys that carry its id. Every
// member has its default, so a registration names only what it has.
struct Command {
    int id = 0;
    // The menu text with its access key; empty for a command that is only a
    // button or a key, which then shows its tool tip.
    QString text{};
    // The status-bar prompt; empty for none.
    QString statusTip{};
    QString toolTip{};
    QList<QKeySequence> keys{};
    // Empty while the command's window is not built: the command is shown
    // but stays disabled.
    std::function<void()> run{};
    // Whether the command may run now; empty for always. Asked anew at every
    // refresh and before every run.
    std::function<bool()> available{};
    // For a check button that shows a state; empty leaves the check to the
    // clicks.
    std::function<bool()> checked{};
};

} // namespace kv::app
