// The other computer of the recording tests: takes one lock on the shared
// data folder under its own computer name, says "ready" and keeps it until
// its standard input closes.
//
//   record_lock_holder FOLDER COMPUTER claim RESOURCE CODE
//   record_lock_holder FOLDER COMPUTER hold RESOURCE

#include "common/platform/SharedFile.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 5)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString computer = QString::fromLocal8Bit(argv[2]);
    const QString resource = QString::fromLocal8Bit(argv[4]);
    kv::data::LockTables locks(folder, {1, 60000});
    kv::SharedFile held;
    bool ok = false;
    if (std::strcmp(argv[3], "claim") == 0 && argc == 6)
        ok = locks.ShareLock(resource, computer, std::atoi(argv[5]),
                             kv::data::ShareLockAction::Claim);
    else if (std::strcmp(argv[3], "hold") == 0)
        ok = locks.HeldLockFile(resource, computer, 1, kv::data::ShareLockAction::Hold, held);
    if (!ok)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    if (held.isOpen())
        held.close();
    else
        locks.ShareLock(resource, computer, 0, kv::data::ShareLockAction::Release);
    return 0;
}
