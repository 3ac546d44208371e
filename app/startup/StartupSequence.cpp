#include "app/startup/StartupSequence.h"

#include "app/startup/InstallationReader.h"
#include "app/startup/InstanceLock.h"
#include "app/startup/StartupTexts.h"
#include "common/KVCommon.h"

#include <QCoreApplication>
#include <QLocale>

#include <clocale>

namespace kv::app {

StartupSequence::StartupSequence(InstanceLock& lock, const InstallSettings& settings,
                                 FolderMaker& maker)
    : m_lock(lock)
    , m_settings(settings)
    , m_maker(maker)
{
}

StartupSequence::Outcome StartupSequence::run(AppGlobals& globals)
{
    if (!m_lock.acquire())
        return Outcome::AnotherCopyRunning;

    // Dates, numbers and collation follow Japanese conventions whatever the
    // desktop's language.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (!std::setlocale(LC_ALL, "ja_JP.UTF-8"))
        std::setlocale(LC_ALL, "C.UTF-8");

    QCoreApplication::setOrganizationName(QStringLiteral("Kelvane"));
    QCoreApplication::setApplicationName(StartupTexts::ProgramName);

    OsVersionInfo version;
    if (!GetWindowsInfo(version, globals.currentFolder, globals.windowsFolder,
                        globals.systemFolder, globals.desktopFolder, globals.programFilesFolder,
                        globals.programsFolder, globals.systemTempFolder, globals.documentsFolder,
                        globals.windowsComputerName))
        return Outcome::Failed;
    globals.platformFamily = version.platformId;

    InstallationReader reader(m_settings, m_maker);
    return reader.readAll(globals) ? Outcome::Ready : Outcome::Failed;
}

} // namespace kv::app
