// Helper process for the log tests:
//   log_writer write <folder> <tag> <count>  appends "<tag> <n>" count times
//   log_writer hold <file> <ms>              holds the file open exclusively
#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"

#include <QString>
#include <QThread>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "write") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        const QString tag = QString::fromLocal8Bit(argv[3]);
        const int count = std::atoi(argv[4]);
        for (int n = 0; n < count; ++n)
            AddLog(folder, tag + QLatin1Char(' ') + QString::number(n), nullptr);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) {
        kv::SharedFile file;
        using namespace kv::FileMode;
        if (!file.open(QString::fromLocal8Bit(argv[2]), Write | ShareExclusive | Create | NoTruncate))
            return 2;
        std::puts("locked");
        std::fflush(stdout);
        QThread::msleep(static_cast<unsigned long>(std::atoi(argv[3])));
        return 0;
    }
    std::fprintf(stderr, "usage: log_writer write <folder> <tag> <count> | hold <file> <ms>\n");
    return 1;
}
