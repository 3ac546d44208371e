#include "lan/core/ChangeReceivers.h"

#include <utility>
#include <vector>

namespace kv::lan {

int ChangeReceivers::subscribe(const QString& command, const QString& kind, Handler handler)
{
    const int id = m_nextId++;
    m_entries.emplace(id, Entry{command, kind, std::move(handler)});
    return id;
}

void ChangeReceivers::unsubscribe(int id)
{
    m_entries.erase(id);
}

int ChangeReceivers::dispatch(const LanMessage& message) const
{
    const QString command = message.command();
    if (command.isEmpty())
        return 0;
    const QString kind = message.kind();
    // A handler may close a window and so end other subscriptions: pick
    // the handlers first, then run those still subscribed.
    std::vector<int> chosen;
    for (const auto& [id, entry] : m_entries) {
        if (entry.command == command && (entry.kind.isEmpty() || entry.kind == kind))
            chosen.push_back(id);
    }
    int run = 0;
    for (int id : chosen) {
        const auto it = m_entries.find(id);
        if (it == m_entries.end())
            continue;
        const Handler handler = it->second.handler;
        handler(message);
        ++run;
    }
    return run;
}

ChangeReceivers& changeReceivers()
{
    static ChangeReceivers receivers;
    return receivers;
}

ReceiverSubscription::ReceiverSubscription(const QString& command, const QString& kind,
                                           ChangeReceivers::Handler handler,
                                           ChangeReceivers& receivers)
    : m_receivers(&receivers)
    , m_id(receivers.subscribe(command, kind, std::move(handler)))
{
}

ReceiverSubscription::~ReceiverSubscription()
{
    if (m_receivers)
        m_receivers->unsubscribe(m_id);
}

ReceiverSubscription::ReceiverSubscription(ReceiverSubscription&& other) noexcept
    : m_receivers(std::exchange(other.m_receivers, nullptr))
    , m_id(std::exchange(other.m_id, 0))
{
}

ReceiverSubscription& ReceiverSubscription::operator=(ReceiverSubscription&& other) noexcept
{
    if (this != &other) {
        if (m_receivers)
            m_receivers->unsubscribe(m_id);
        m_receivers = std::exchange(other.m_receivers, nullptr);
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

} // namespace kv::lan
