#include "app/frame/CommandGroup.h"

#include "app/frame/CommandRegistry.h"

namespace kv::app {

CommandGroup::~CommandGroup()
{
    for (const int id : m_ids)
        m_registry.unregisterCommand(id);
}

bool CommandGroup::add(Command command)
{
    const int id = command.id;
    if (!m_registry.registerCommand(std::move(command)))
        return false;
    m_ids.append(id);
    return true;
}

} // namespace kv::app
