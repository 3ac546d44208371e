#include "lan/net/CClientSocket.h"

#include "common/MessageGateway.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageRouting.h"
#include "lan/net/CListeningSocket.h"
#include "lan/net/SocketErrors.h"
#include "lan/net/platform/KeepAlive.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace kv::lan {

CClientSocket::CClientSocket(QObject* parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(2000);
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &CClientSocket::startConnecting);
    connect(m_socket, &QTcpSocket::connected, this, &CClientSocket::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &CClientSocket::onDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &CClientSocket::onReadyRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (m_wasConnected && !m_lossReported && !m_closing) {
            m_lossReported = true;
            emit serverLost(receiveErrorMessage(error));
        }
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            onDisconnected();
    });
}

CClientSocket::~CClientSocket()
{
    m_closing = true;
    m_socket->disconnect(this);
    m_socket->abort();
}

void CClientSocket::setServer(const QString& host, int port)
{
    m_host = host;
    m_port = port;
}

void CClientSocket::setReconnectInterval(int ms)
{
    m_retry->setInterval(ms);
}

void CClientSocket::startConnecting()
{
    if (m_closing || m_socket->state() != QAbstractSocket::UnconnectedState)
        return;
    m_framer = MessageFramer();
    if (!m_localAddress.isEmpty())
        m_socket->bind(QHostAddress(m_localAddress), 0, QAbstractSocket::ReuseAddressHint);
    m_socket->connectToHost(m_host, quint16(m_port));
}

bool CClientSocket::connectNow(int timeoutMs)
{
    startConnecting();
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        m_socket->waitForConnected(timeoutMs);
    return isConnected();
}

bool CClientSocket::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

QString CClientSocket::addressSeenByServer() const
{
    return m_seenAddress;
}

void CClientSocket::onConnected()
{
    // A server that vanished is noticed as soon as a client is by it.
    KeepAlive::apply(m_socket->socketDescriptor());
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (m_seenAddress.isEmpty()) {
        const QHostAddress local = m_socket->localAddress();
        bool isV4 = false;
        const quint32 v4 = local.toIPv4Address(&isV4);
        m_seenAddress = isV4 ? QHostAddress(v4).toString() : canonicalAddress(local.toString());
    }
    // First of all, on every connection: the server counts and tells only
    // the connections that joined.
    if (const auto join = MessageFramer::frame(MessageRouting::joinMessage(m_host, m_seenAddress)))
        m_socket->write(*join);
    const bool again = m_wasConnected;
    m_wasConnected = true;
    m_lossReported = false;
    flushQueue();
    emit connectionChanged(true);
    if (again)
        emit serverRejoined();
}

void CClientSocket::onDisconnected()
{
    if (m_closing)
        return;
    if (m_wasConnected && !m_lossReported) {
        m_lossReported = true;
        emit serverLost(LanTexts::ConnectionClosed);
    }
    emit connectionChanged(false);
    if (m_keepConnected && !m_retry->isActive())
        m_retry->start();
}

void CClientSocket::keepConnected()
{
    m_keepConnected = true;
    if (!isConnected() && m_socket->state() == QAbstractSocket::UnconnectedState)
        m_retry->start();
}

void CClientSocket::onReadyRead()
{
    QStringList messages;
    const bool whole = m_framer.feed(m_socket->readAll(), messages);
    for (const QString& text : messages)
        handle(text);
    // What follows an over-long frame cannot be told apart: start afresh.
    if (!whole)
        m_socket->abort();
}

void CClientSocket::handle(const QString& text)
{
    // Nothing is re-read once this computer is leaving.
    if (m_closing)
        return;
    const LanMessage message = LanMessage::parse(text);
    switch (MessageRouting::clientStep(message)) {
    case MessageRouting::ClientStep::TakeDataPath:
        if (m_waitingForAnswer) {
            m_answer = message.field(3);
            if (!message.field(0).isEmpty())
                m_seenAddress = canonicalAddress(message.field(0));
        }
        break;
    case MessageRouting::ClientStep::Act:
        if (m_waitingForAnswer)
            m_early << text;
        else
            emit messageReceived(message);
        break;
    case MessageRouting::ClientStep::ServerClosing:
    case MessageRouting::ClientStep::Ignore:
        // The server ends the connection itself after "Close".
        break;
    }
}

std::optional<QString> CClientSocket::requestDataFolderPath(const QString& computerName,
                                                             int timeoutMs)
{
    if (!isConnected())
        return std::nullopt;
    m_answer.reset();
    m_waitingForAnswer = true;
    SendToServer(LanMessage::build(m_host, computerName, LanTexts::GetDataPath));
    waitUntil([this] { return m_answer.has_value() || !isConnected(); }, timeoutMs);
    m_waitingForAnswer = false;
    if (!m_early.isEmpty()) {
        QTimer::singleShot(0, this, [this, early = m_early] {
            for (const QString& text : early)
                handle(text);
        });
        m_early.clear();
    }
    return m_answer;
}

void CClientSocket::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    // On the event loop, so that a server in this very process (tests) and
    // the socket's own notifications go on meanwhile.
    if (done())
        return;
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
}

bool CClientSocket::SendToServer(const QString& message)
{
    const auto frame = MessageFramer::frame(message);
    if (!frame) {
        showMessage(LanTexts::MessageTooLong);
        return false;
    }
    if (isConnected() && m_queue.isEmpty() && m_socket->write(*frame) == frame->size())
        return true;
    m_queue.append(*frame);
    while (m_queue.size() > MaxQueued)
        m_queue.removeFirst();
    if (isConnected())
        flushQueue();
    return true;
}

void CClientSocket::flushQueue()
{
    while (!m_queue.isEmpty() && isConnected()) {
        if (m_socket->write(m_queue.first()) != m_queue.first().size())
            return;
        m_queue.removeFirst();
    }
}

void CClientSocket::close(const QString& computerName)
{
    m_retry->stop();
    if (isConnected()) {
        const QString server = peerAddressOf(*m_socket);
        if (const auto frame = MessageFramer::frame(MessageRouting::closeMessage(server, computerName)))
            m_socket->write(*frame);
        m_closing = true;
        waitUntil([this] { return m_socket->state() == QAbstractSocket::UnconnectedState; },
                  CListeningSocket::CloseWaitMs);
    }
    m_closing = true;
    m_socket->abort();
}

} // namespace kv::lan
