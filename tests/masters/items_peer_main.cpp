// Another computer on the same data folder, for the item dialog's tests:
//   items_peer lock <folder> <computer> <action> <code>
//     ShareLock on "011.mdb"; exit 0 for true, 1 for false.
//   items_peer reserve <folder> <computer>
//     reserves the lowest free item code as a client would (placeholder and
//     edit lock), prints it and leaves both behind as a computer still
//     editing would.
#include "data/document/CCarMaintenanceDoc.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/DefaultPrinterSource.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

class NoPrinter final : public kv::data::DefaultPrinterSource {
public:
    Result defaultPrinter(kv::data::PrinterIdentity*) const override { return Result::NoPrinter; }
};

int reserve(const QString& folder, const QString& computer)
{
    NoPrinter printers;
    kv::data::DocumentConfig config;
    config.dataFolder = folder;
    config.programFolder = folder;
    config.lanRole = 1;
    config.computerName = computer;
    config.printers = &printers;
    config.checkDiskSpaceForWrite = [] { return true; };
    kv::data::CCarMaintenanceDoc doc(config);
    if (!doc.OpenAllDatabases())
        return 2;
    const int code = doc.ReserveItemCode();
    if (code == 0
        || !doc.ShareLock(QStringLiteral("011.mdb"), computer, code,
                          kv::data::ShareLockAction::Claim))
        return 1;
    std::printf("%d\n", code);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("lock")) {
        kv::data::LockTables locks(args[2], {1, 2000});
        return locks.ShareLock(QStringLiteral("011.mdb"), args[3], args[5].toInt(),
                               args[4].toInt())
            ? 0
            : 1;
    }
    if (args.size() == 4 && args[1] == QLatin1String("reserve"))
        return reserve(args[2], args[3]);
    std::fprintf(stderr, "usage: items_peer lock|reserve ...\n");
    return 3;
}
