#pragma once

#include "app/startup/AppGlobals.h"

#include <QString>

#include <functional>
#include <memory>

namespace kv::lan {
class CClientSocket;
class CListeningSocket;
class LanAnnouncer;
class LanServer;
} // namespace kv::lan

namespace kv::app {

// This computer's part in the LAN: on the server the relay on the
// listener's clients, on a client the connection to the server, which also
// settles the client's computer name and data folder before the document
// opens. Installs the announcer the windows use and passes what arrives to
// the program's change receivers.
class LanSession {
public:
    // How long start-up waits for the server, and then for its answer.
    static constexpr int ConnectWaitMs = 5000;
    static constexpr int AnswerWaitMs = 5000;

    // installationFile: its [Sabion] group may name LocalAddress (this
    // computer's address towards the server, when it has several) and
    // MountPoint (where the server's data folder is mounted here, when the
    // mount table cannot tell).
    explicit LanSession(QString installationFile);
    ~LanSession();
    LanSession(const LanSession&) = delete;
    LanSession& operator=(const LanSession&) = delete;

    // A client joins its server: connects (or says it cannot and works on
    // the installation's data folder), takes the address the server sees
    // as its computer name and the server's data folder as it is mounted
    // here, and checks that the folder's file system locks across
    // computers. False after the message: the program does not start.
    bool joinServer(AppGlobals& globals);
    // The server relays on the listener's clients once it listens.
    void serveClients(lan::CListeningSocket& listener, const AppGlobals& globals);
    // A client says "Close" to its server; nothing on the server (the
    // listener tells its clients as it closes).
    void leave();

    bool isConnected() const;
    // Told when a client's connection comes or goes.
    void setConnectionSink(std::function<void(bool connected)> sink);

    lan::CClientSocket* client() const { return m_client.get(); }
    lan::LanServer* server() const { return m_server.get(); }

private:
    // Where the server's folder lies here; empty after the message.
    QString mountedFolder(const QString& networkPath, const AppGlobals& globals) const;
    void installAnnouncer(const QString& serverName, const QString& computerName,
                          std::function<bool(const QString&)> send);
    void resynchronise();

    QString m_installationFile;
    QString m_localAddress;
    QString m_mountPoint;
    QString m_computerName;
    std::unique_ptr<lan::CClientSocket> m_client;
    std::unique_ptr<lan::LanServer> m_server;
    std::unique_ptr<lan::LanAnnouncer> m_announcer;
    std::function<void(bool)> m_connectionSink;
};

} // namespace kv::app
