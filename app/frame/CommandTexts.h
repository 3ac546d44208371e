#pragma once

#include <QString>

namespace kv::app {

// The string table of the main window's commands: the status-bar prompt
// and the tool tip, and the menu's item texts.
class CommandTexts {
public:
    // Empty when the command has no prompt.
    static QString prompt(int command);
    static QString toolTip(int command);
    // The menu text with its access key; empty for a command not in the menu.
    static QString menuText(int command);
    static QString exitMenuText();

private:
    static QString entry(int command);
};

} // namespace kv::app
