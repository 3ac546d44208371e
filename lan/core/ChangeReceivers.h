#pragma once

#include "lan/core/LanMessage.h"

#include <QString>

#include <functional>
#include <map>

namespace kv::lan {

// Who re-reads what when a message of another computer arrives. A window
// or the wiring subscribes a handler to a command ("Update", "Delete",
// "KokRequery", "KokCarRequery", "TelCallInfo") and, for "Update" and
// "Delete", a kind (the window title the message names, e.g. "作業・部品");
// an empty kind takes every kind of the command. Handlers run on the
// event loop in the order they subscribed.
class ChangeReceivers {
public:
    using Handler = std::function<void(const LanMessage&)>;

    int subscribe(const QString& command, const QString& kind, Handler handler);
    void unsubscribe(int id);
    // Runs every handler the message names; the number run.
    int dispatch(const LanMessage& message) const;
    int size() const { return int(m_entries.size()); }

private:
    struct Entry {
        QString command;
        QString kind;
        Handler handler;
    };
    std::map<int, Entry> m_entries;
    int m_nextId = 1;
};

// The program's receivers, where windows subscribe.
ChangeReceivers& changeReceivers();

// A subscription that ends with its owner (a window): subscribe in the
// constructor, the handler goes with the window.
class ReceiverSubscription {
public:
    ReceiverSubscription() = default;
    ReceiverSubscription(const QString& command, const QString& kind,
                         ChangeReceivers::Handler handler,
                         ChangeReceivers& receivers = changeReceivers());
    ~ReceiverSubscription();
    ReceiverSubscription(ReceiverSubscription&& other) noexcept;
    ReceiverSubscription& operator=(ReceiverSubscription&& other) noexcept;
    ReceiverSubscription(const ReceiverSubscription&) = delete;
    ReceiverSubscription& operator=(const ReceiverSubscription&) = delete;

private:
    ChangeReceivers* m_receivers = nullptr;
    int m_id = 0;
};

} // namespace kv::lan
