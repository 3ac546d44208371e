// Another process writing the daily log:
//   log write FOLDER TAG COUNT   appends "TAG n" COUNT times
//   log hold FILE MS             holds the file open exclusively for MS

#include "PeerCommands.h"

#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"

#include <QThread>

#include <cstdio>

namespace kv::test::peer {

int runLog(const QStringList& args)
{
    if (args.size() == 4 && args[0] == u"write") {
        const QString& folder = args[1];
        const QString& tag = args[2];
        const int count = args[3].toInt();
        for (int n = 0; n < count; ++n)
            AddLog(folder, tag + QLatin1Char(' ') + QString::number(n), nullptr);
        return 0;
    }
    if (args.size() == 3 && args[0] == u"hold") {
        SharedFile file;
        using namespace FileMode;
        if (!file.open(args[1], Write | ShareExclusive | Create | NoTruncate))
            return 2;
        std::puts("locked");
        std::fflush(stdout);
        QThread::msleep(static_cast<unsigned long>(args[2].toInt()));
        return 0;
    }
    std::fprintf(stderr, "usage: kv_test_peer log write FOLDER TAG COUNT | hold FILE MS\n");
    return 1;
}

} // namespace kv::test::peer
