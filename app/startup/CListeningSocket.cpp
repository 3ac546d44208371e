#include "app/startup/CListeningSocket.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace kv::app {

CListeningSocket::CListeningSocket(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    m_server->setMaxPendingConnections(Backlog);
    connect(m_server, &QTcpServer::newConnection, this, &CListeningSocket::acceptPending);
}

CListeningSocket::~CListeningSocket()
{
    close();
}

bool CListeningSocket::listen(int port)
{
    if (port < 0 || port > 65535)
        return false;
    return m_server->listen(QHostAddress::Any, quint16(port));
}

void CListeningSocket::close()
{
    m_server->close();
    const QList<QTcpSocket*> clients = m_clients;
    m_clients.clear();
    for (QTcpSocket* socket : clients) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    if (!clients.isEmpty())
        emit clientCountChanged(0);
}

bool CListeningSocket::isListening() const
{
    return m_server->isListening();
}

int CListeningSocket::port() const
{
    return m_server->serverPort();
}

QString CListeningSocket::errorText() const
{
    return m_server->errorString();
}

void CListeningSocket::acceptPending()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        m_clients.append(socket);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
        emit clientConnected(socket);
        emit clientCountChanged(ClientCount());
    }
}

void CListeningSocket::forget(QTcpSocket* socket)
{
    if (!m_clients.removeOne(socket))
        return;
    socket->deleteLater();
    emit clientCountChanged(ClientCount());
}

} // namespace kv::app
