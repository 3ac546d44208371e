#pragma once

#include "app/frame/Command.h"

#include <functional>
#include <map>

namespace kv::app {

// The commands of the main window by id. Each subsystem registers its own
// commands with their texts, keys, flow and rule; the frame asks whether a
// command is available and runs it, without knowing what it does.
class CommandRegistry {
public:
    // Told the id of every command registered or unregistered.
    using Listener = std::function<void(int id)>;

    void setListener(Listener listener) { m_listener = std::move(listener); }

    // False, and the first registration kept, when the id is taken or 0.
    bool registerCommand(Command command);
    void unregisterCommand(int id);

    // Null for an id nobody registered.
    const Command* command(int id) const;
    // Registered, its window built and its rule met.
    bool isAvailable(int id) const;
    // Runs the command when it is available; false when it was not run.
    bool run(int id) const;
    // The command a key runs, 0 for none; a keypad key counts as the main
    // one, as it does for the window's shortcuts.
    int commandForKey(const QKeySequence& key) const;

private:
    std::map<int, Command> m_commands;
    Listener m_listener;
};

} // namespace kv::app
