#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace kv::lan {

// The server's listening socket: accepts the clients of the shop's other
// computers and keeps their connections, in connection order, until they
// close or are closed. The messages on them are LanServer's business.
class CListeningSocket : public QObject {
    Q_OBJECT
public:
    static constexpr int Backlog = 5;
    // How long closing waits for the clients to hang up, all together.
    static constexpr int CloseWaitMs = 2000;

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

    int ClientCount() const { return int(m_clients.size()); }
    const QList<QTcpSocket*>& clients() const { return m_clients; }
    // Ends one client's connection and forgets it.
    void CloseClient(QTcpSocket* socket);

signals:
    void clientConnected(QTcpSocket* socket);
    void clientCountChanged(int count);

private:
    void acceptPending();
    void forget(QTcpSocket* socket);

    QTcpServer* m_server;
    QList<QTcpSocket*> m_clients;
};

// The address a socket's peer is known by, IPv4-mapped addresses as IPv4;
// empty when it cannot be read.
QString peerAddressOf(const QTcpSocket& socket);

} // namespace kv::lan
