#include "app/startup/InstallationReader.h"

#include "app/startup/FolderPath.h"
#include "app/startup/StartupTexts.h"
#include "common/InstallSettings.h"
#include "common/MessageGateway.h"

#include <QFileInfo>
#include <QSettings>

namespace kv::app {
namespace {

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

// The role's sub-key may be missing as a whole or just its value; the two
// give different messages.
bool hasKindGroup(const InstallSettings& settings)
{
    QSettings file(settings.file(), QSettings::IniFormat);
    file.beginGroup(StartupTexts::ProgramName);
    return file.childGroups().contains(QStringLiteral("Kind"));
}

} // namespace

InstallationReader::InstallationReader(const InstallSettings& settings, FolderMaker& maker)
    : m_settings(settings)
    , m_maker(maker)
{
}

bool InstallationReader::readPaths(AppGlobals& globals) const
{
    if (!m_settings.hasProgram(StartupTexts::ProgramName)) {
        showMessage(StartupTexts::PathOpenError);
        return false;
    }
    const auto program = m_settings.programPath(StartupTexts::ProgramName);
    const auto data = m_settings.dataDirectoryPath(StartupTexts::ProgramName);
    if (!program || !data || program->isEmpty() || data->isEmpty()) {
        showMessage(StartupTexts::PathReadError);
        return false;
    }
    globals.programFolder = withoutTrailingSlash(QFileInfo(*program).path());
    globals.dataFolder = withoutTrailingSlash(*data);
    globals.localDataFolder = globals.dataFolder;
    globals.tempFolder = globals.dataFolder + QStringLiteral("/Temp");
    globals.photoFolder = globals.dataFolder + QStringLiteral("/Photo");
    globals.printerFolder = globals.dataFolder + QStringLiteral("/Printer");
    return CreateFolderPath(globals.tempFolder, m_maker)
           && CreateFolderPath(globals.photoFolder, m_maker)
           && CreateFolderPath(globals.printerFolder, m_maker);
}

bool InstallationReader::readRole(AppGlobals& globals) const
{
    if (!hasKindGroup(m_settings)) {
        showMessage(StartupTexts::KindOpenError);
        return false;
    }
    const auto role = m_settings.lanRole(StartupTexts::ProgramName);
    if (!role) {
        showMessage(StartupTexts::KindReadError);
        return false;
    }
    globals.lanRole = *role;
    return true;
}

bool InstallationReader::readServerName(AppGlobals& globals) const
{
    if (!globals.isClient())
        return true;
    if (!m_settings.hasProgram(StartupTexts::ProgramName)) {
        showMessage(StartupTexts::PathOpenError);
        return false;
    }
    const auto server = m_settings.serverName(StartupTexts::ProgramName);
    if (!server) {
        showMessage(StartupTexts::PathReadError);
        return false;
    }
    globals.serverName = server->left(261);
    return true;
}

bool InstallationReader::readAll(AppGlobals& globals) const
{
    if (!readPaths(globals) || !readRole(globals) || !readServerName(globals))
        return false;
    globals.port = m_settings.port();
    return true;
}

} // namespace kv::app
