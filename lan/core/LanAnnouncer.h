#pragma once

#include "lan/core/ChangeAnnouncer.h"

#include <functional>

namespace kv::lan {

// The announcer of a computer on the LAN: builds the message (server name,
// own computer name, command) and hands it to the network: a client's to
// its server, the server's to every client.
class LanAnnouncer final : public ChangeAnnouncer {
public:
    // False when the message could not be handed on.
    using Sender = std::function<bool(const QString& message)>;

    LanAnnouncer(QString serverName, QString computerName, Sender send);

    void setComputerName(const QString& name) { m_computerName = name; }
    const QString& computerName() const { return m_computerName; }

    // A message over 1024 CP932 bytes is not sent: "送信メッセージが長すぎます！"
    // and false; the caller's own work stands.
    bool announce(const QString& command, const QString& kind,
                  const QStringList& values) override;

    QString messageFor(const QString& command, const QString& kind,
                       const QStringList& values) const;

private:
    QString m_serverName;
    QString m_computerName;
    Sender m_send;
};

} // namespace kv::lan
