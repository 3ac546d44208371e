// The other computer of the recording tests: takes one lock on the shared
// data folder under its own computer name, says "ready" and keeps it until
// its standard input closes.
//
//   lock-holder FOLDER COMPUTER claim RESOURCE CODE
//   lock-holder FOLDER COMPUTER hold RESOURCE

#include "PeerCommands.h"

#include "common/platform/SharedFile.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"

#include <cstdio>

namespace kv::test::peer {

int runLockHolder(const QStringList& args)
{
    if (args.size() < 4)
        return 2;
    const QString& folder = args[0];
    const QString& computer = args[1];
    const QString& resource = args[3];
    data::LockTables locks(folder, {1, 60000});
    SharedFile held;
    bool ok = false;
    if (args[2] == u"claim" && args.size() == 5)
        ok = locks.ShareLock(resource, computer, args[4].toInt(), data::ShareLockAction::Claim);
    else if (args[2] == u"hold")
        ok = locks.HeldLockFile(resource, computer, 1, data::ShareLockAction::Hold, held);
    if (!ok)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    if (held.isOpen())
        held.close();
    else
        locks.ShareLock(resource, computer, 0, data::ShareLockAction::Release);
    return 0;
}

} // namespace kv::test::peer
