#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace kv::app {

// The server's listening socket: accepts the clients of the shop's other
// computers and keeps their connections, in connection order, until they
// close. What travels over them is the LAN sharing's business.
class CListeningSocket : public QObject {
    Q_OBJECT
public:
    static constexpr int Backlog = 5;

    explicit CListeningSocket(QObject* parent = nullptr);
    ~CListeningSocket() override;

    // Listens on every address; false with errorText() when the port cannot
    // be had.
    bool listen(int port);
    void close();
    bool isListening() const;
    int port() const;
    QString errorText() const;

    int ClientCount() const { return int(m_clients.size()); }
    const QList<QTcpSocket*>& clients() const { return m_clients; }

signals:
    void clientConnected(QTcpSocket* socket);
    void clientCountChanged(int count);

private:
    void acceptPending();
    void forget(QTcpSocket* socket);

    QTcpServer* m_server;
    QList<QTcpSocket*> m_clients;
};

} // namespace kv::app
