#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace kv::lan {

// The server's listening socket: accepts the connections of the shop's
// other computers and keeps them until they close or are closed. A
// connection becomes a client when it joins (LanServer: with its first
// whole message); only clients count and are told of changes, and a
// connection that does not join in time is let go. The messages on them
// are LanServer's business.
class CListeningSocket : public QObject {
    Q_OBJECT
public:
    static constexpr int Backlog = 5;
    // How long closing waits for the clients to hang up, all together.
    static constexpr int CloseWaitMs = 2000;
    // How long a connection may stay without joining.
    static constexpr int JoinWaitMs = 30000;
    // What one connection may have waiting to be read, and in the system's
    // send buffer towards it: a peer that floods is held back by the
    // network, one that does not read shows in its own queue.
    static constexpr int ReadBufferBytes = 64 * 1024;
    static constexpr int SendBufferBytes = 64 * 1024;

    explicit CListeningSocket(QObject* parent = nullptr);
    ~CListeningSocket() override;

    // Listens on every address; false with errorText() when the port cannot
    // be had.
    bool listen(int port);
    // Stops listening and tells every client "Close", then waits a bounded
    // time for them to hang up: a dead client never holds the server.
    void close();
    bool isListening() const;
    int port() const;
    QString errorText() const;

    // The clients, in the order they joined.
    int ClientCount() const { return int(m_clients.size()); }
    const QList<QTcpSocket*>& clients() const { return m_clients; }
    // Every connection: the clients, then those not joined yet.
    QList<QTcpSocket*> connections() const { return m_clients + m_joining; }
    // Whether socket is one of the connections, joined or not.
    bool holds(QTcpSocket* socket) const;
    // The connection becomes a client; nothing when it already is one.
    void join(QTcpSocket* socket);
    // Ends one connection and forgets it.
    void CloseClient(QTcpSocket* socket);

signals:
    void connectionAccepted(QTcpSocket* socket);
    void clientCountChanged(int count);

private:
    void acceptPending();
    void forget(QTcpSocket* socket);

    QTcpServer* m_server;
    QList<QTcpSocket*> m_clients;
    QList<QTcpSocket*> m_joining;
};

// The address a socket's peer is known by, IPv4-mapped addresses as IPv4;
// empty when it cannot be read.
QString peerAddressOf(const QTcpSocket& socket);

} // namespace kv::lan
