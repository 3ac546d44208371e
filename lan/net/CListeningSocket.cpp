#include "lan/net/CListeningSocket.h"

#include "lan/core/LanMessage.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageFramer.h"
#include "lan/core/MessageRouting.h"
#include "lan/net/platform/KeepAlive.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace kv::lan {

QString peerAddressOf(const QTcpSocket& socket)
{
    const QHostAddress address = socket.peerAddress();
    if (address.isNull())
        return {};
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        return QHostAddress(v4).toString();
    return canonicalAddress(address.toString());
}

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
    const QList<QTcpSocket*> clients = m_clients + m_joining;
    const bool hadClients = !m_clients.isEmpty();
    m_clients.clear();
    m_joining.clear();
    for (QTcpSocket* socket : clients) {
        socket->disconnect(this);
        const QString address = peerAddressOf(*socket);
        if (socket->state() == QAbstractSocket::ConnectedState && !address.isEmpty()) {
            if (const auto frame = MessageFramer::frame(
                    MessageRouting::closeMessage(address, LanTexts::ServerName)))
                socket->write(*frame);
            socket->disconnectFromHost();
        }
    }
    QDeadlineTimer deadline(CloseWaitMs);
    for (QTcpSocket* socket : clients) {
        if (socket->state() != QAbstractSocket::UnconnectedState && !deadline.hasExpired())
            socket->waitForDisconnected(int(deadline.remainingTime()));
        socket->abort();
        socket->deleteLater();
    }
    if (hadClients)
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

bool CListeningSocket::holds(QTcpSocket* socket) const
{
    return m_clients.contains(socket) || m_joining.contains(socket);
}

void CListeningSocket::join(QTcpSocket* socket)
{
    if (!m_joining.removeOne(socket))
        return;
    m_clients.append(socket);
    emit clientCountChanged(ClientCount());
}

void CListeningSocket::CloseClient(QTcpSocket* socket)
{
    if (!holds(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    forget(socket);
}

void CListeningSocket::acceptPending()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (socket->state() != QAbstractSocket::ConnectedState) {
            socket->deleteLater();
            continue;
        }
        // A client whose computer vanished is found out by the keep-alive.
        KeepAlive::apply(socket->socketDescriptor());
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, SendBufferBytes);
        socket->setReadBufferSize(ReadBufferBytes);
        m_joining.append(socket);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] { CloseClient(socket); });
        QTimer::singleShot(JoinWaitMs, socket, [this, socket] {
            if (m_joining.contains(socket))
                CloseClient(socket);
        });
        emit connectionAccepted(socket);
    }
}

void CListeningSocket::forget(QTcpSocket* socket)
{
    if (m_joining.removeOne(socket)) {
        socket->deleteLater();
        return;
    }
    if (!m_clients.removeOne(socket))
        return;
    socket->deleteLater();
    emit clientCountChanged(ClientCount());
}

} // namespace kv::lan
