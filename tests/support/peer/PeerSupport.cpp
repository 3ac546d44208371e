#include "PeerCommands.h"

#include "support/NoDefaultPrinter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace kv::test::peer {

bool waitForFile(const QString& path, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(path)) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::usleep(200);
    }
    return true;
}

data::DocumentConfig clientConfig(const QString& folder, const QString& computer)
{
    static const NoDefaultPrinter printers;
    data::DocumentConfig config;
    config.dataFolder = folder;
    config.programFolder = folder;
    config.lanRole = 1;
    config.computerName = computer;
    config.printers = &printers;
    config.checkDiskSpaceForWrite = [] { return true; };
    return config;
}

} // namespace kv::test::peer
