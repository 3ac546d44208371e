// The other computer of the tests: one program, one sub-command per kind of
// work (see PeerCommands.h). The tests find it through kv::test::peerProgram().

#include "PeerCommands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    const QStringList rest = args.mid(2);
    using namespace kv::test::peer;
    if (command == QLatin1String("engine"))
        return runEngine(rest);
    if (command == QLatin1String("document"))
        return runDocument(rest);
    if (command == QLatin1String("contention"))
        return runContention(rest);
    if (command == QLatin1String("lock-holder"))
        return runLockHolder(rest);
    if (command == QLatin1String("items"))
        return runItems(rest);
    if (command == QLatin1String("log"))
        return runLog(rest);
    if (command == QLatin1String("slips"))
        return runSlips(rest);
    if (command == QLatin1String("invoices"))
        return runInvoices(rest);
    if (command == QLatin1String("ledger"))
        return runLedger(rest);
    if (command == QLatin1String("lan"))
        return runLan(rest);
    std::fprintf(stderr,
                 "usage: kv_test_peer engine|document|contention|lock-holder|items|log|slips|invoices|ledger|lan ...\n");
    return 64;
}
