// One computer of the two-computer runs on a shared data folder:
//
//   document FOLDER COMPUTER COUNT
//
// opens the document as a client under its own computer name, says so in
// FOLDER/ready-COMPUTER, waits for FOLDER/go and then COUNT times reserves a
// customer code and takes a slip number, writing the slip's header with it
// as the slip window does. Prints "code N" and "slip N" lines.

#include "PeerCommands.h"

#include "data/document/CCarMaintenanceDoc.h"

#include <QFile>

#include <cstdio>

namespace kv::test::peer {

int runDocument(const QStringList& args)
{
    if (args.size() != 3)
        return 1;
    const QString& folder = args[0];
    const QString& computer = args[1];
    const int count = args[2].toInt();

    data::DocumentConfig config = clientConfig(folder, computer);
    config.programFolder = folder + "/no-program-folder";
    config.openTiming = {1, 60000};
    data::CCarMaintenanceDoc doc(config);
    if (!doc.OpenAllDatabases())
        return 2;
    QFile ready(folder + "/ready-" + computer);
    if (!ready.open(QIODevice::WriteOnly))
        return 3;
    ready.close();
    if (!waitForFile(folder + "/go", 60000))
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

} // namespace kv::test::peer
