#include "FreshDocument.h"

#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"

#include <QDir>
#include <QFile>

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
    open();
}

FreshDocument::FreshDocument(const QString& copyOf)
{
    check(dir.isValid(), "temporary folder");
    const QDir source(copyOf);
    for (const QString& name : source.entryList(QDir::Files))
        check(QFile::copy(source.filePath(name), QDir(dir.path()).filePath(name)), "copy");
    open();
}

void FreshDocument::open()
{
    for (const char* folder : {"Temp", "Photo", "Printer"})
        QDir(dir.path()).mkpath(QString::fromLatin1(folder));
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
