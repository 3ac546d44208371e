// Another computer on the same data folder, for the item dialog's tests:
//   items lock FOLDER COMPUTER ACTION CODE
//     ShareLock on "011.mdb"; exit 0 for true, 1 for false.
//   items reserve FOLDER COMPUTER
//     reserves the lowest free item code as a client would (placeholder and
//     edit lock), prints it and leaves both behind as a computer still
//     editing would.

#include "PeerCommands.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"

#include <cstdio>

namespace kv::test::peer {

namespace {

int reserve(const QString& folder, const QString& computer)
{
    data::CCarMaintenanceDoc doc(clientConfig(folder, computer));
    if (!doc.OpenAllDatabases())
        return 2;
    const int code = doc.ReserveItemCode();
    if (code == 0
        || !doc.ShareLock(QStringLiteral("011.mdb"), computer, code, data::ShareLockAction::Claim))
        return 1;
    std::printf("%d\n", code);
    return 0;
}

} // namespace

int runItems(const QStringList& args)
{
    if (args.size() == 5 && args[0] == QLatin1String("lock")) {
        data::LockTables locks(args[1], {1, 2000});
        return locks.ShareLock(QStringLiteral("011.mdb"), args[2], args[4].toInt(), args[3].toInt())
            ? 0
            : 1;
    }
    if (args.size() == 3 && args[0] == QLatin1String("reserve"))
        return reserve(args[1], args[2]);
    std::fprintf(stderr, "usage: kv_test_peer items lock|reserve ...\n");
    return 3;
}

} // namespace kv::test::peer
