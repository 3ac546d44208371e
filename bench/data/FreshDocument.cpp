#include "FreshDocument.h"

#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace kv::bench {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "bench setup failed: %s\n", what);
        std::exit(1);
    }
}

FreshDocument::FreshDocument()
{
    check(dir.isValid(), "temporary folder");
    check(kv::data::createDataFolderDatabases(dir.path()), "databases");
    check(kv::data::writeDefaultSettings(dir.path()), "settings");
    QDir(dir.path()).mkpath("Temp");
    kv::data::DocumentConfig config;
    config.dataFolder = dir.path();
    config.programFolder = dir.path() + "/program";
    config.computerName = "Server";
    config.printers = &printers;
    config.checkDiskSpaceForWrite = [] { return true; };
    doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config);
    check(doc->OpenAllDatabases(), "open");
}

} // namespace kv::bench
