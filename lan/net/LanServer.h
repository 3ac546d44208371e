#pragma once

#include "lan/core/LanMessage.h"
#include "lan/core/MessageFramer.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTcpSocket;

namespace kv::lan {

class ChangeReceivers;
class CListeningSocket;

// The server's side of the messages, on the clients the listening socket
// accepted: a change one client announces goes to every other client and
// to this computer's receivers; a client asking for the data folder gets
// its network path; "Close" lets the client go. The sender of a message is
// the connection it came on, whatever its text says, so no computer can
// close or speak for another.
class LanServer : public QObject {
    Q_OBJECT
public:
    // A client whose own unsent data stays past this, after the system
    // took what it would, is not reading: dropped, the others go on.
    static constexpr qint64 MaxUnsentBytes = 1 << 20;
    // Most bytes of one connection handled in one go.
    static constexpr qint64 ReadChunkBytes = 4096;
    // Unsent data past this is handed to the system right away.
    static constexpr qint64 FlushBytes = 16 * 1024;

    LanServer(CListeningSocket& listener, ChangeReceivers& receivers, QObject* parent = nullptr);

    // The network path of the data folder, or false with the message that
    // says why there is none (shown here, once per cause).
    using DataFolderPath = std::function<bool(QString& path, QString& failure)>;
    void setDataFolderPath(DataFolderPath path) { m_dataPath = std::move(path); }
    // While a deletion or a backup runs the answer is an empty path.
    void setCallLookupSuspended(std::function<bool()> suspended) { m_suspended = std::move(suspended); }

    // The message to every client but excluded (none: all of them), each
    // with its own address in field 0 and "Server" in field 1. A client that
    // cannot take it is dropped; the others still get it.
    void Broadcast(QTcpSocket* excluded, const QString& message);
    // What the server's own announcer calls: true, the clients are told.
    bool announce(const QString& message);

    qint64 relayedCount() const { return m_relayed; }

signals:
    // A client's change was acted on (after its relay).
    void changeReceived(const kv::lan::LanMessage& message);

private:
    void attach(QTcpSocket* socket);
    void onReadyRead(QTcpSocket* socket);
    void handle(QTcpSocket* socket, const QString& text);
    bool SendToClient(QTcpSocket* socket, const QByteArray& frame);
    void tellDataPathFailure(const QString& cause);

    CListeningSocket& m_listener;
    ChangeReceivers& m_receivers;
    QHash<QTcpSocket*, MessageFramer> m_framers;
    // Connections with bytes read in and not yet handled.
    QSet<QTcpSocket*> m_readLater;
    DataFolderPath m_dataPath;
    // The cause of the last failure told, until a path is found again.
    std::optional<QString> m_toldFailure;
    std::function<bool()> m_suspended;
    qint64 m_relayed = 0;
};

} // namespace kv::lan
