#include "lan/net/LanServer.h"

#include "common/MessageGateway.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageRouting.h"
#include "lan/net/CListeningSocket.h"

#include <QTcpSocket>

namespace kv::lan {
LanServer::LanServer(CListeningSocket& listener, ChangeReceivers& receivers, QObject* parent)
    : QObject(parent)
    , m_listener(listener)
    , m_receivers(receivers)
{
    connect(&m_listener, &CListeningSocket::clientConnected, this, &LanServer::attach);
    for (QTcpSocket* socket : m_listener.clients())
        attach(socket);
}

void LanServer::attach(QTcpSocket* socket)
{
    m_framers.insert(socket, MessageFramer());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { m_framers.remove(socket); });
    if (socket->bytesAvailable() > 0)
        onReadyRead(socket);
}

void LanServer::onReadyRead(QTcpSocket* socket)
{
    if (!m_listener.clients().contains(socket))
        return;
    QStringList messages;
    const bool whole = m_framers[socket].feed(socket->readAll(), messages);
    for (const QString& text : messages) {
        if (!m_listener.clients().contains(socket))
            return;
        handle(socket, text);
    }
    if (!whole)
        m_listener.CloseClient(socket);
}

void LanServer::handle(QTcpSocket* socket, const QString& text)
{
    const QString address = peerAddressOf(*socket);
    if (address.isEmpty())
        return;
    const LanMessage message = LanMessage::parse(text).withSender(address);
    switch (MessageRouting::serverStep(message)) {
    case MessageRouting::ServerStep::Ignore:
        return;
    case MessageRouting::ServerStep::AnswerDataPath: {
        QString path;
        if (!(m_suspended && m_suspended())) {
            QString failure;
            if (!m_dataPath || !m_dataPath(path, failure)) {
                // The client gets no answer, each time it asks.
                tellDataPathFailure(failure);
                return;
            }
            m_toldFailure.reset();
        }
        if (const auto frame = MessageFramer::frame(MessageRouting::dataPathReply(address, path)))
            SendToClient(socket, *frame);
        return;
    }
    case MessageRouting::ServerStep::CloseSender:
        m_listener.CloseClient(socket);
        return;
    case MessageRouting::ServerStep::ActAndRelay:
        // The others first: what this computer does with it may take a
        // while (or ask something) and must not hold them up.
        Broadcast(socket, message.text());
        m_receivers.dispatch(message);
        emit changeReceived(message);
        return;
    }
}

void LanServer::Broadcast(QTcpSocket* excluded, const QString& text)
{
    if (text.isEmpty())
        return;
    const LanMessage message = LanMessage::parse(text);
    // Sending may drop a client: go over a copy of the list.
    const QList<QTcpSocket*> clients = m_listener.clients();
    for (QTcpSocket* socket : clients) {
        if (socket == excluded || !m_listener.clients().contains(socket))
            continue;
        const QString address = peerAddressOf(*socket);
        if (address.isEmpty())
            continue;
        if (const auto frame = MessageFramer::frame(message.relayedTo(address, LanTexts::ServerName),
                                                  MessageFramer::kMaxFrameBytes)) {
            if (SendToClient(socket, *frame))
                ++m_relayed;
        }
    }
}

bool LanServer::announce(const QString& message)
{
    Broadcast(nullptr, message);
    return true;
}

void LanServer::tellDataPathFailure(const QString& cause)
{
    // Every client asks as it starts: the server's user hears of a cause
    // once, not once for each computer switched on in the morning.
    if (m_toldFailure == cause)
        return;
    // Before the boxes: a request that comes while they are open is not
    // told again.
    m_toldFailure = cause;
    if (!cause.isEmpty())
        showMessage(cause);
    showMessage(LanTexts::DataPathFailed);
}

bool LanServer::SendToClient(QTcpSocket* socket, const QByteArray& frame)
{
    if (socket->state() != QAbstractSocket::ConnectedState
        || socket->write(frame) != frame.size()
        || socket->bytesToWrite() > MaxUnsentBytes) {
        m_listener.CloseClient(socket);
        return false;
    }
    return true;
}

} // namespace kv::lan
