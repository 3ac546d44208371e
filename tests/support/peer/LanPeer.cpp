// One computer of the LAN runs: the server or a client on a shared data
// folder, each with its own address on the loopback range.
//
//   lan server FOLDER PORT
//   lan client FOLDER PORT ADDRESS [SERVER]
//
// Opens the document on FOLDER, joins the LAN and re-reads what the
// others announce, as the program's receivers do. Takes commands on stdin,
// one a line:
//   record NAME    records a new customer and announces it
//   rate PERCENT   saves the tax rate ("002.dat") and announces it
//   claim CODE     claims the customer code in the lock table
//   ledger CODE    opens the customer's ledger (its lock kept)
//   newcustomer    reserves a new customer's code as F10 does
//   recordnew CODE NAME  records the new customer under CODE as F12 does
//   names          lists the customers ("names CODE=NAME ...")
//   print KIND     prepares the print work copies of the kind
//   endprint       ends them
//   copies         lists the work copies in this computer's folder
//   quit           leaves the LAN, closes the document, ends
// and prints what happens, one a line: "ready NAME", "recorded CODE",
// "customers N" after a re-read, "rate R" after a reload, "claim CODE
// ok|refused", "ledger ok|refused MESSAGE", "reserved CODE", "recordnew ok
// CODE|refused MESSAGE", "names ...", "print ok|failed", "ended", "copies NAMES", "clients N" (server), "lost" / "rejoined" (client),
// "received TEXT" for every message of another computer.

#include "PeerCommands.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/SettingsFileId.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanAnnouncer.h"
#include "lan/core/LanTexts.h"
#include "lan/net/CClientSocket.h"
#include "lan/net/CListeningSocket.h"
#include "lan/net/LanServer.h"
#include "ledger/core/LedgerAccess.h"
#include "records/CustomerVehicleRecorder.h"
#include "records/NewRecordCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <utility>

namespace kv::test::peer {
namespace {

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// The main frame's part in a new record: the code it holds reserved.
class Reservations : public records::ReservationHost {
public:
    explicit Reservations(data::CCarMaintenanceDoc& document) : m_document(document) {}
    int reservedCode(records::RecordKind kind) const override
    {
        return kind == records::RecordKind::Customer ? m_customer : m_vehicle;
    }
    void setReservedCode(records::RecordKind kind, int code) override
    {
        (kind == records::RecordKind::Customer ? m_customer : m_vehicle) = code;
    }
    void discardReservation(records::RecordKind kind) override
    {
        if (kind == records::RecordKind::Customer)
            m_document.DiscardCustomerPlaceholder(std::exchange(m_customer, 0));
        else
            m_document.DiscardVehiclePlaceholder(std::exchange(m_vehicle, 0));
    }
    int previousSearchMode() const override { return 1; }

private:
    data::CCarMaintenanceDoc& m_document;
    int m_customer = 0;
    int m_vehicle = 0;
};

struct LanComputer {
    std::unique_ptr<data::CCarMaintenanceDoc> document;
    std::unique_ptr<ledger::LedgerAccess> ledger;
    std::unique_ptr<Reservations> reservations;
    std::unique_ptr<lan::CListeningSocket> listener;
    std::unique_ptr<lan::LanServer> server;
    std::unique_ptr<lan::CClientSocket> client;
    std::unique_ptr<lan::LanAnnouncer> announcer;
    lan::ChangeReceivers& receivers = lan::changeReceivers();

    void showCustomers()
    {
        document->customers().Requery();
        say(QStringLiteral("customers %1").arg(document->CountCustomers()));
    }

    void subscribe()
    {
        const auto received = [this](const lan::LanMessage& message) {
            say(QStringLiteral("received ") + message.text());
        };
        for (const QString& command : {lan::LanTexts::KokRequery, lan::LanTexts::KokCarRequery,
                                       lan::LanTexts::Update, lan::LanTexts::Delete})
            receivers.subscribe(command, {}, received);
        receivers.subscribe(lan::LanTexts::KokCarRequery, {},
                            [this](const lan::LanMessage&) { showCustomers(); });
        receivers.subscribe(lan::LanTexts::Update, {}, [this](const lan::LanMessage& message) {
            if (document->settings().reloadForUpdate(message.kind()) == data::SettingsUpdate::Rounding)
                say(QStringLiteral("rate %1").arg(document->settings().rounding().taxRate));
        });
    }

    void run(const QString& line)
    {
        const QString command = line.section(QLatin1Char(' '), 0, 0);
        const QString argument = line.section(QLatin1Char(' '), 1);
        if (command == QLatin1String("record")) {
            const int code = document->ReserveCustomerCode();
            auto& customers = document->customers();
            if (code == 0 || !customers.Edit())
                return say(QStringLiteral("failed"));
            customers.m_UserName1 = argument;
            customers.m_OwnerName1 = argument;
            customers.m_Furi = argument;
            if (!customers.Update())
                return say(QStringLiteral("failed"));
            say(QStringLiteral("recorded %1").arg(code));
            announcer->announceNotification(lan::ChangeAnnouncer::kCustomersAndVehiclesChanged);
        } else if (command == QLatin1String("rate")) {
            document->settings().rounding().taxRate = argument.toDouble() / 100.0;
            document->settings().SaveSettingsFile(data::SettingsFileId::Rounding);
            announcer->announceUpdate(QStringLiteral("端数処理"));
            say(QStringLiteral("saved"));
        } else if (command == QLatin1String("claim")) {
            const bool ok = document->ShareLock(QStringLiteral("010.mdb"), document->computerName(),
                                                argument.toInt(), data::ShareLockAction::Claim);
            say(QStringLiteral("claim %1 %2").arg(argument, ok ? QStringLiteral("ok") : QStringLiteral("refused")));
        } else if (command == QLatin1String("ledger")) {
            ledger = std::make_unique<ledger::LedgerAccess>(*document);
            const auto opened = ledger->open(argument.toInt());
            say(opened.ok ? QStringLiteral("ledger ok") : QStringLiteral("ledger refused ") + opened.message);
        } else if (command == QLatin1String("newcustomer")) {
            reservations = std::make_unique<Reservations>(*document);
            const int code = records::NewRecordCodes(*document, *reservations).startCustomer();
            say(QStringLiteral("reserved %1").arg(code));
        } else if (command == QLatin1String("recordnew")) {
            data::KokRow customer;
            customer.m_KokCode = argument.section(QLatin1Char(' '), 0, 0).toInt();
            customer.m_OwnerName1 = customer.m_UserName1 = customer.m_Furi =
                argument.section(QLatin1Char(' '), 1);
            const auto outcome = records::CustomerVehicleRecorder(*document).recordNewCustomer(customer);
            say(outcome.done ? QStringLiteral("recordnew ok %1").arg(customer.m_KokCode)
                             : QStringLiteral("recordnew refused ")
                                   + QString(outcome.message).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        } else if (command == QLatin1String("names")) {
            auto& customers = document->customers();
            QStringList names;
            bool more = customers.Requery() && customers.MoveFirst();
            for (; more && !customers.IsEOF(); more = customers.MoveNext())
                names << QStringLiteral("%1=%2").arg(customers.m_KokCode).arg(customers.m_UserName1);
            say(QStringLiteral("names ") + names.join(QLatin1Char(' ')));
        } else if (command == QLatin1String("print")) {
            say(document->PrepareWorkCopy(argument.toInt()) ? QStringLiteral("print ok")
                                                            : QStringLiteral("print failed"));
        } else if (command == QLatin1String("endprint")) {
            document->EndWorkCopy(0);
            say(QStringLiteral("ended"));
        } else if (command == QLatin1String("copies")) {
            say(QStringLiteral("copies ")
                + QDir(document->temporaryFolder()).entryList(QDir::Files, QDir::Name).join(QLatin1Char(' ')));
        } else if (command == QLatin1String("quit")) {
            if (client)
                client->close(document->computerName());
            server.reset();
            if (listener)
                listener->close();
            document->CloseDatabases();
            QCoreApplication::exit(0);
        }
    }
};

} // namespace

int runLan(const QStringList& args)
{
    const bool isServer = args.value(0) == QLatin1String("server");
    if (isServer ? args.size() != 3 : args.size() != 4 && args.size() != 5)
        return 1;
    const QString& folder = args[1];
    const int port = args[2].toInt();

    LanComputer computer;
    QString name = lan::LanTexts::ServerName;
    if (isServer) {
        computer.listener = std::make_unique<lan::CListeningSocket>();
        if (!computer.listener->listen(port))
            return 2;
        computer.server = std::make_unique<lan::LanServer>(*computer.listener, computer.receivers);
        computer.server->setDataFolderPath([folder](QString& path, QString&) {
            path = QStringLiteral("//localhost") + folder;
            return true;
        });
        lan::LanServer* server = computer.server.get();
        computer.announcer = std::make_unique<lan::LanAnnouncer>(
            QString(), name, [server](const QString& m) { return server->announce(m); });
        QObject::connect(computer.listener.get(), &lan::CListeningSocket::clientCountChanged,
                         [](int count) { say(QStringLiteral("clients %1").arg(count)); });
    } else {
        computer.client = std::make_unique<lan::CClientSocket>();
        computer.client->setServer(args.value(4, QStringLiteral("127.0.0.1")), port);
        computer.client->setLocalAddress(args[3]);
        computer.client->setReconnectInterval(100);
        if (!computer.client->connectNow(5000)
            || !computer.client->requestDataFolderPath(QStringLiteral("debian"), 5000))
            return 3;
        name = computer.client->addressSeenByServer();
        lan::CClientSocket* client = computer.client.get();
        computer.announcer = std::make_unique<lan::LanAnnouncer>(
            QStringLiteral("127.0.0.1"), name, [client](const QString& m) { return client->SendToServer(m); });
        QObject::connect(client, &lan::CClientSocket::messageReceived,
                         [&computer](const lan::LanMessage& m) { computer.receivers.dispatch(m); });
        QObject::connect(client, &lan::CClientSocket::serverLost, [] { say(QStringLiteral("lost")); });
        QObject::connect(client, &lan::CClientSocket::serverRejoined, [&computer] {
            say(QStringLiteral("rejoined"));
            // What was announced while away is re-read as a whole.
            computer.showCustomers();
        });
        client->keepConnected();
    }

    data::DocumentConfig config = clientConfig(folder, name);
    config.lanRole = isServer ? 0 : 1;
    config.programFolder = folder + QStringLiteral("/no-program-folder");
    config.openTiming = {1, 60000};
    config.temporaryFolder = data::DocumentConfig::perComputerTemp(folder, name);
    computer.document = std::make_unique<data::CCarMaintenanceDoc>(config);
    if (!computer.document->OpenAllDatabases())
        return 4;
    lan::installChangeAnnouncer(computer.announcer.get());
    computer.subscribe();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            computer.run(QStringLiteral("quit"));
            return;
        }
        pending.append(buffer, got);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            computer.run(line);
        }
    });
    say(QStringLiteral("ready ") + name);
    return QCoreApplication::exec();
}

} // namespace kv::test::peer
