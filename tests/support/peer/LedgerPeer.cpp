// A computer opening a customer's ledger on a shared data folder:
//
//   ledger FOLDER COMPUTER CUSTOMER
//
// takes the ledger's lock as the ledger window does when it opens, says
// "ready" and keeps it until its standard input closes, then gives it back.
// A refusal prints "refused: " and the message and ends with 1.

#include "PeerCommands.h"

#include "common/MessageGateway.h"
#include "data/document/CCarMaintenanceDoc.h"
#include "ledger/core/LedgerAccess.h"

#include <cstdio>

namespace kv::test::peer {

int runLedger(const QStringList& args)
{
    if (args.size() != 3)
        return 2;
    data::CCarMaintenanceDoc doc(clientConfig(args[0], args[1]));
    if (!doc.OpenAllDatabases())
        return 3;
    ledger::LedgerAccess access(doc);
    const ledger::LedgerAccess::Opened opened = access.open(args[2].toInt());
    if (!opened.ok) {
        std::printf("refused: %s\n", opened.message.toUtf8().constData());
        std::fflush(stdout);
        doc.CloseDatabases();
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    access.close();
    doc.CloseDatabases();
    return 0;
}

} // namespace kv::test::peer
