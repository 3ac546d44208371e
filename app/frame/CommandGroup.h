#pragma once

#include "app/frame/Command.h"

#include <QList>

namespace kv::app {

class CommandRegistry;

// The commands one subsystem registered; they go with it, so that no flow
// outlives the objects it works on.
class CommandGroup {
public:
    explicit CommandGroup(CommandRegistry& registry) : m_registry(registry) {}
    ~CommandGroup();
    CommandGroup(const CommandGroup&) = delete;
    CommandGroup& operator=(const CommandGroup&) = delete;

    // As CommandRegistry::registerCommand; only an accepted command is
    // unregistered later.
    bool add(Command command);

private:
    CommandRegistry& m_registry;
    QList<int> m_ids;
};

} // namespace kv::app
