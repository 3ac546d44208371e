#pragma once

#include "lan/core/LanMessage.h"
#include "lan/core/MessageFramer.h"

#include <QByteArrayList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTcpSocket;
class QTimer;

namespace kv::lan {

// A client's connection to its server. It connects to the server's name
// and port, hands messages to the server and reports the server's. When the
// server goes away it says so once, keeps what is announced meanwhile and
// joins the server again by itself, sending what it kept.
class CClientSocket : public QObject {
    Q_OBJECT
public:
    // Messages kept while the server is away, at most; the oldest go first.
    static constexpr int MaxQueued = 5000;

    explicit CClientSocket(QObject* parent = nullptr);
    ~CClientSocket() override;

    void setServer(const QString& host, int port);
    // This end's address, when the computer has several (tests: one
    // loopback address per computer). Empty: the system's choice.
    void setLocalAddress(const QString& address) { m_localAddress = address; }
    void setReconnectInterval(int ms);

    // Connects, waiting at most timeoutMs; true when connected.
    bool connectNow(int timeoutMs);
    // Asks the server for the network path of its data folder and waits at
    // most timeoutMs for the answer (messages arriving meanwhile are
    // reported afterwards). nullopt without an answer. The answer names this
    // computer as the server sees it (addressSeenByServer).
    std::optional<QString> requestDataFolderPath(const QString& computerName, int timeoutMs);
    // From now on reconnects whenever the connection is lost.
    void keepConnected();

    bool isConnected() const;
    // This end's address as the server sees it: from the server's answer,
    // else the socket's own; empty before any connection.
    QString addressSeenByServer() const;

    // Sends, or keeps the message until the server is back. False (after
    // "送信メッセージが長すぎます！") only for a message over 1024 bytes.
    bool SendToServer(const QString& message);
    int queuedCount() const { return int(m_queue.size()); }

    // Says "Close" to the server and waits a bounded time for it to hang up.
    void close(const QString& computerName);

signals:
    // A change or call the server passed on.
    void messageReceived(const kv::lan::LanMessage& message);
    // The connection is lost; reason: the receive table's text.
    void serverLost(const QString& reason);
    // Connected again after a loss (messages kept meanwhile are sent).
    void serverRejoined();
    void connectionChanged(bool connected);

private:
    void startConnecting();
    void onConnected();
    void onDisconnected();
    void onReadyRead();
    void handle(const QString& text);
    void flushQueue();
    // Runs the event loop until done or timeoutMs have passed.
    void waitUntil(const std::function<bool()>& done, int timeoutMs);

    QTcpSocket* m_socket;
    QTimer* m_retry;
    MessageFramer m_framer;
    QString m_host;
    int m_port = 700;
    QString m_localAddress;
    QString m_seenAddress;
    QByteArrayList m_queue;
    QStringList m_early;
    std::optional<QString> m_answer;
    bool m_waitingForAnswer = false;
    bool m_keepConnected = false;
    bool m_wasConnected = false;
    bool m_lossReported = false;
    bool m_closing = false;
};

} // namespace kv::lan
