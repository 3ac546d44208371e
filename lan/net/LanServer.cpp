#include "lan/net/LanServer.h"

#include "common/MessageGateway.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageRouting.h"
#include "lan/net/CListeningSocket.h"

#include <QTcpSocket>
#include <QTimer>

namespace kv::lan {
LanServer::LanServer(CListeningSocket& listener, ChangeReceivers& receivers, QObject* parent)
    : QObject(parent)
    , m_listener(listener)
    , m_receivers(receivers)
{
    connect(&m_listener, &CListeningSocket::connectionAccepted, this, &LanServer::attach);
    for (QTcpSocket* socket : m_listener.connections())
        attach(socket);
}

void LanServer::attach(QTcpSocket* socket)
{
    m_framers.insert(socket, MessageFramer());
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] {
        m_framers.remove(socket);
        m_readLater.remove(socket);
    });
    if (socket->bytesAvailable() > 0)
        onReadyRead(socket);
}

void LanServer::onReadyRead(QTcpSocket* socket)
{
    if (!m_listener.holds(socket))
        return;
    // A bounded part of what came: the other connections, and the writes
    // towards every client, get their turn before the rest.
    QStringList messages;
    const bool whole = m_framers[socket].feed(socket->read(ReadChunkBytes), messages);
    for (const QString& text : messages) {
        if (!m_listener.holds(socket))
            return;
        handle(socket, text);
    }
    if (!whole) {
        m_listener.CloseClient(socket);
        return;
    }
    // No new notice comes for what is already read in: go on from the loop.
    if (socket->bytesAvailable() > 0 && !m_readLater.contains(socket)) {
        m_readLater.insert(socket);
        QTimer::singleShot(0, socket, [this, socket] {
            m_readLater.remove(socket);
            onReadyRead(socket);
        });
    }
}

void LanServer::handle(QTcpSocket* socket, const QString& text)
{
    const QString address = peerAddressOf(*socket);
    if (address.isEmpty())
        return;
    const LanMessage message = LanMessage::parse(text).withSender(address);
    const MessageRouting::ServerStep step = MessageRouting::serverStep(message);
    // A connection is a client from its first message the server takes.
    if (step != MessageRouting::ServerStep::Ignore)
        m_listener.join(socket);
    switch (step) {
    case MessageRouting::ServerStep::Ignore:
    case MessageRouting::ServerStep::Join:
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
        || socket->write(frame) != frame.size()) {
        m_listener.CloseClient(socket);
        return false;
    }
    // Handed to the system at once while it takes it, without waiting for
    // the loop; what stays is this client's own queue.
    if (socket->bytesToWrite() > FlushBytes)
        socket->flush();
    if (socket->bytesToWrite() > MaxUnsentBytes) {
        m_listener.CloseClient(socket);
        return false;
    }
    return true;
}

} // namespace kv::lan
