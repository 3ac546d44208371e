#include "app/frame/CommandRegistry.h"

namespace kv::app {

bool CommandRegistry::registerCommand(Command command)
{
    const int id = command.id;
    if (id == 0 || m_commands.count(id))
        return false;
    m_commands.emplace(id, std::move(command));
    if (m_listener)
        m_listener(id);
    return true;
}

void CommandRegistry::unregisterCommand(int id)
{
    if (m_commands.erase(id) && m_listener)
        m_listener(id);
}

const Command* CommandRegistry::command(int id) const
{
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : &found->second;
}

bool CommandRegistry::isAvailable(int id) const
{
    const Command* registered = command(id);
    return registered && registered->run && (!registered->available || registered->available());
}

bool CommandRegistry::run(int id) const
{
    if (!isAvailable(id))
        return false;
    // A copy: the flow may unregister its own command, for instance by
    // closing the window that registered it.
    const std::function<void()> flow = command(id)->run;
    flow();
    return true;
}

int CommandRegistry::commandForKey(const QKeySequence& key) const
{
    if (key.isEmpty())
        return 0;
    const auto find = [this](const QKeySequence& wanted) {
        for (const auto& [id, registered] : m_commands) {
            if (registered.keys.contains(wanted))
                return id;
        }
        return 0;
    };
    if (const int id = find(key))
        return id;
    const QKeyCombination pressed = key[0];
    if (key.count() != 1 || !pressed.keyboardModifiers().testFlag(Qt::KeypadModifier))
        return 0;
    return find(QKeySequence(
        QKeyCombination(pressed.keyboardModifiers() & ~Qt::KeypadModifier, pressed.key())));
}

} // namespace kv::app
