#include "app/startup/LanSession.h"

#include "app/startup/ProcessFlags.h"
#include "common/MessageGateway.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/core/ComputerName.h"
#include "lan/core/LanAnnouncer.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MountTable.h"
#include "lan/core/platform/SystemShares.h"
#include "lan/net/CClientSocket.h"
#include "lan/net/CListeningSocket.h"
#include "lan/net/LanServer.h"

#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QSettings>
#include <QTimer>
#include <QUdpSocket>

namespace kv::app {
namespace {

// The address this computer would reach the server from, when the server
// cannot be reached now: the name it will have once it can.
QString routeAddressTowards(const QString& server, int port)
{
    QHostAddress target(server);
    if (target.isNull()) {
        const QHostInfo info = QHostInfo::fromName(server);
        if (info.addresses().isEmpty())
            return {};
        target = info.addresses().first();
    }
    QUdpSocket probe;
    probe.connectToHost(target, quint16(port));
    if (!probe.waitForConnected(1000))
        return {};
    bool isV4 = false;
    const quint32 v4 = probe.localAddress().toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : lan::canonicalAddress(probe.localAddress().toString());
}

// "//host/share" of "//host/share/sub", for the mount line of the message.
QString shareOf(const QString& networkPath)
{
    const QStringList parts = networkPath.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return QStringLiteral("//") + parts.mid(0, 2).join(QLatin1Char('/'));
}

void useDataFolder(AppGlobals& globals, const QString& folder)
{
    globals.dataFolder = folder;
    globals.tempFolder = folder + QStringLiteral("/Temp");
    globals.photoFolder = folder + QStringLiteral("/Photo");
    globals.printerFolder = folder + QStringLiteral("/Printer");
    for (const QString& sub : {globals.tempFolder, globals.photoFolder, globals.printerFolder})
        QDir().mkpath(sub);
}

} // namespace

LanSession::LanSession(QString installationFile)
    : m_installationFile(std::move(installationFile))
{
    QSettings file(m_installationFile, QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Sabion"));
    m_localAddress = file.value(QStringLiteral("LocalAddress")).toString().trimmed();
    m_mountPoint = file.value(QStringLiteral("MountPoint")).toString().trimmed();
}

LanSession::~LanSession()
{
    if (m_announcer)
        lan::installChangeAnnouncer(nullptr);
}

bool LanSession::joinServer(AppGlobals& globals)
{
    m_client = std::make_unique<lan::CClientSocket>();
    m_client->setServer(globals.serverName, globals.port);
    m_client->setLocalAddress(m_localAddress);
    if (m_client->connectNow(ConnectWaitMs)) {
        const std::optional<QString> answer =
            m_client->requestDataFolderPath(globals.windowsComputerName, AnswerWaitMs);
        globals.computerName = m_client->addressSeenByServer();
        // An empty answer: the server is deleting or backing up; the
        // installation's folder is the one to use meanwhile, and the user
        // hears so, as that may not be the shop's data.
        if (answer && !answer->isEmpty()) {
            const QString folder = mountedFolder(*answer, globals);
            if (folder.isEmpty())
                return false;
            useDataFolder(globals, folder);
        } else if (answer) {
            showMessage(lan::LanTexts::ServerBusy.arg(globals.dataFolder));
        }
    } else {
        globals.computerName = m_localAddress.isEmpty()
                                   ? routeAddressTowards(globals.serverName, globals.port)
                                   : m_localAddress;
        if (globals.computerName.isEmpty())
            globals.computerName = globals.windowsComputerName;
        showMessage(lan::LanTexts::ServerUnreachable.arg(globals.serverName)
                        .arg(globals.port)
                        .arg(globals.dataFolder));
    }

    const QString real = QFileInfo(globals.dataFolder).canonicalFilePath();
    if (const auto mount = lan::MountTable::mountOf(real.isEmpty() ? globals.dataFolder : real,
                                                    lan::SystemShares::mounts())) {
        const QString refusal = lan::MountTable::lockRefusal(*mount, globals.dataFolder);
        if (!refusal.isEmpty()) {
            showMessage(refusal, MessageGateway::Icon::Critical);
            return false;
        }
    }

    globals.computerName = lan::ComputerName::forLockTables(globals.computerName);
    m_computerName = globals.computerName;
    lan::CClientSocket* client = m_client.get();
    installAnnouncer(globals.serverName, globals.computerName,
                     [client](const QString& message) { return client->SendToServer(message); });
    QObject::connect(client, &lan::CClientSocket::messageReceived, client,
                     [](const lan::LanMessage& message) { lan::changeReceivers().dispatch(message); });
    QObject::connect(client, &lan::CClientSocket::serverLost, client, [client](const QString& reason) {
        // Said after the socket's own handling has ended.
        QTimer::singleShot(0, client, [reason] {
            showMessage(lan::LanTexts::ServerLost + QStringLiteral("\n(")
                        + reason.section(QLatin1Char('\n'), 0, 0) + QLatin1Char(')'));
        });
    });
    QObject::connect(client, &lan::CClientSocket::serverRejoined, client,
                     [this] { resynchronise(); });
    QObject::connect(client, &lan::CClientSocket::connectionChanged, client, [this](bool connected) {
        if (m_connectionSink)
            m_connectionSink(connected);
    });
    client->keepConnected();
    return true;
}

QString LanSession::mountedFolder(const QString& networkPath, const AppGlobals& globals) const
{
    std::optional<QString> folder;
    if (!m_mountPoint.isEmpty())
        folder = QDir::cleanPath(m_mountPoint);
    else
        folder = lan::MountTable::localPathOf(networkPath, lan::SystemShares::mounts(),
                                              {globals.serverName});
    // The server has its files open, so its folder shows them wherever it is
    // really mounted.
    if (!folder || !QFileInfo::exists(*folder + QStringLiteral("/010.mdb"))) {
        showMessage(lan::LanTexts::ShareNotMounted.arg(networkPath, shareOf(networkPath)),
                    MessageGateway::Icon::Critical);
        return {};
    }
    return *folder;
}

void LanSession::serveClients(lan::CListeningSocket& listener, const AppGlobals& globals)
{
    m_server = std::make_unique<lan::LanServer>(listener, lan::changeReceivers());
    const QString folder = globals.localDataFolder;
    m_server->setDataFolderPath([folder](QString& path, QString& failure) {
        return lan::ShareTable::GetSharedDataFolderPath(folder, lan::SystemShares::read(),
                                                       lan::SystemShares::hostName(), path, failure);
    });
    m_server->setCallLookupSuspended([] { return ProcessFlags::callLookupSuspended.load(); });
    lan::LanServer* server = m_server.get();
    installAnnouncer(QString(), lan::LanTexts::ServerName,
                     [server](const QString& message) { return server->announce(message); });
}

void LanSession::installAnnouncer(const QString& serverName, const QString& computerName,
                                  std::function<bool(const QString&)> send)
{
    m_announcer = std::make_unique<lan::LanAnnouncer>(serverName, computerName, std::move(send));
    lan::installChangeAnnouncer(m_announcer.get());
}

void LanSession::leave()
{
    if (m_client)
        m_client->close(m_computerName);
}

bool LanSession::isConnected() const
{
    return m_client ? m_client->isConnected() : m_server != nullptr;
}

void LanSession::setConnectionSink(std::function<void(bool)> sink)
{
    m_connectionSink = std::move(sink);
}

void LanSession::resynchronise()
{
    // What the others announced while this computer was away reached it
    // only if it was connected then: re-read everything a message can name.
    static const char* const kinds[] = {"名前", "住所", "車種", "ファイル名", "印字", "種別", "用途",
                                        "形状", "車名", "燃料", "陸事", "端数処理", "代行料 課税・非課税",
                                        "自社情報"};
    lan::ChangeReceivers& receivers = lan::changeReceivers();
    receivers.dispatch(lan::LanMessage::parse(QStringLiteral(",,") + lan::LanTexts::KokCarRequery));
    for (const char* kind : kinds)
        receivers.dispatch(lan::LanMessage::parse(QStringLiteral(",,Update,") + QString::fromUtf8(kind)));
}

} // namespace kv::app
