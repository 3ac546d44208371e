// One computer of the two-computer runs on a shared data folder:
//
//   document_worker FOLDER COMPUTER COUNT
//
// opens the document as a client under its own computer name, says so in
// FOLDER/ready-COMPUTER, waits for FOLDER/go and then COUNT times reserves a
// customer code and takes a slip number, writing the slip's header with it
// as the slip window does. Prints "code N" and "slip N" lines.

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/DefaultPrinterSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {

class NoPrinter final : public kv::data::DefaultPrinterSource {
public:
    Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
};

bool waitFor(const QString& path)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(path)) {
        if (clock.elapsed() > 60000)
            return false;
        QThread::usleep(200);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 1;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString computer = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();

    NoPrinter printers;
    kv::data::DocumentConfig config;
    config.dataFolder = folder;
    config.programFolder = folder + "/no-program-folder";
    config.lanRole = 1;
    config.computerName = computer;
    config.printers = &printers;
    config.openTiming = {1, 60000};
    config.checkDiskSpaceForWrite = [] { return true; };
    kv::data::CCarMaintenanceDoc doc(config);
    if (!doc.OpenAllDatabases())
        return 2;
    QFile ready(folder + "/ready-" + computer);
    if (!ready.open(QIODevice::WriteOnly))
        return 3;
    ready.close();
    if (!waitFor(folder + "/go"))
        return 4;

    for (int i = 0; i < count; ++i) {
        const int code = doc.ReserveCustomerCode();
        if (code == 0)
            return 5;
        std::printf("code %d\n", code);
        const int slip = doc.NextSlipNumber();
        if (slip == 0)
            return 6;
        auto& headers = doc.slipHeaders();
        if (!headers.AddNew())
            return 7;
        headers.m_DenNo = slip;
        headers.m_CarCode = i + 1;
        if (!headers.Update())
            return 8;
        std::printf("slip %d\n", slip);
    }
    doc.CloseDatabases();
    std::fflush(stdout);
    return 0;
}
