#include "app/firststart/FirstStartSetup.h"

#include "app/firststart/FirstStartTexts.h"
#include "app/startup/StartupTexts.h"
#include "common/InstallSettings.h"
#include "common/MessageGateway.h"
#include "data/settings/SettingsStore.h"
#include "data/tools/DataFolderCreator.h"
#include "data/tools/DemoData.h"
#include "lan/core/MountTable.h"
#include "lan/core/platform/SystemShares.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kv::app {
namespace {

namespace Texts = FirstStartTexts;

bool holdsData(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/010.mdb")).isFile();
}

QString kelvaneData(const QString& name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Kelvane/") + name + QStringLiteral("/Data");
}

bool isNetworkMount(const lan::MountEntry& mount)
{
    static const QStringList types = {QStringLiteral("cifs"), QStringLiteral("smb3"),
                                      QStringLiteral("nfs"), QStringLiteral("nfs4")};
    return types.contains(mount.type);
}

bool createDataFolder(const QString& folder)
{
    QString error;
    if (data::DataFolderCreator::create(folder, &error))
        return true;
    const QDir dir(folder);
    if (dir.exists() && !dir.isEmpty())
        showMessage(Texts::FolderNotEmpty.arg(folder));
    else
        showMessage(Texts::CreateFailed.arg(folder, error));
    return false;
}

} // namespace

FirstStartSetup::FirstStartSetup(InstallSettings& settings, QString programPath, MountLookup mounts)
    : m_settings(settings)
    , m_programPath(std::move(programPath))
    , m_mounts(std::move(mounts))
{
    if (!m_mounts) {
        m_mounts = [](const QString& folder) {
            return lan::MountTable::mountOf(folder, lan::SystemShares::mounts());
        };
    }
}

QString FirstStartSetup::defaultDataFolder()
{
    return kelvaneData(StartupTexts::ProgramName);
}

QString FirstStartSetup::demoDataFolder()
{
    return kelvaneData(StartupTexts::ProgramName + QStringLiteral("-demo"));
}

bool FirstStartSetup::apply(const Choice& choice)
{
    switch (choice.kind) {
    case Kind::NewData: {
        const QString folder = QDir::cleanPath(choice.dataFolder);
        return prepareNewData(choice) && writeInstallation(choice, folder, 0);
    }
    case Kind::Demo:
        return prepareDemo(demoDataFolder()) && writeInstallation(choice, demoDataFolder(), 0);
    case Kind::Client:
        return checkClient(choice)
               && writeInstallation(choice, QDir::cleanPath(choice.mountFolder), 1);
    }
    return false;
}

bool FirstStartSetup::prepareNewData(const Choice& choice) const
{
    if (!QDir::isAbsolutePath(choice.dataFolder)) {
        showMessage(Texts::FolderNotAbsolute);
        return false;
    }
    const QString folder = QDir::cleanPath(choice.dataFolder);
    // A folder that already holds a shop's data (a computer set up again)
    // is taken as it is, its 自社情報 included.
    if (holdsData(folder))
        return true;
    if (choice.shopName.trimmed().isEmpty()) {
        showMessage(Texts::ShopNameMissing);
        return false;
    }
    if (!createDataFolder(folder))
        return false;
    data::SettingsStore store(folder);
    if (!store.LoadSettingsFile(data::SettingsFileId::Shop))
        return false;
    store.shop().shopName = choice.shopName.trimmed();
    store.shop().telephone1 = choice.telephone.trimmed();
    return store.SaveSettingsFile(data::SettingsFileId::Shop);
}

bool FirstStartSetup::prepareDemo(const QString& folder) const
{
    if (holdsData(folder))
        return true;
    if (!createDataFolder(folder))
        return false;
    QString error;
    if (!data::DemoData::write(folder, QDate::currentDate(), &error)) {
        showMessage(Texts::CreateFailed.arg(folder, error));
        return false;
    }
    return true;
}

bool FirstStartSetup::checkClient(const Choice& choice) const
{
    if (choice.server.trimmed().isEmpty()) {
        showMessage(Texts::ServerMissing);
        return false;
    }
    if (choice.port < 1024 || choice.port > 65535) {
        showMessage(Texts::PortRange);
        return false;
    }
    if (!QDir::isAbsolutePath(choice.mountFolder)) {
        showMessage(Texts::FolderNotAbsolute);
        return false;
    }
    const QString folder = QDir::cleanPath(choice.mountFolder);
    const QString real = QFileInfo(folder).canonicalFilePath();
    const std::optional<lan::MountEntry> mount = m_mounts(real.isEmpty() ? folder : real);
    if (mount) {
        // Mounts on which locks between computers do not work are refused
        // as at every start.
        const QString refusal = lan::MountTable::lockRefusal(*mount, folder);
        if (!refusal.isEmpty()) {
            showMessage(refusal, MessageGateway::Icon::Critical);
            return false;
        }
    }
    if (!mount || !isNetworkMount(*mount)) {
        showMessage(Texts::NotMounted.arg(folder));
        return false;
    }
    if (!holdsData(folder)) {
        showMessage(Texts::NotDataFolder.arg(folder));
        return false;
    }
    return true;
}

bool FirstStartSetup::writeInstallation(const Choice& choice, const QString& dataFolder, int role)
{
    const QString& program = StartupTexts::ProgramName;
    m_settings.setPort(role == 0 ? DefaultPort : choice.port);
    m_settings.setProgramPath(program, m_programPath);
    m_settings.setDataDirectoryPath(program, dataFolder);
    m_settings.setLanRole(program, role);
    m_settings.setServerName(program, role == 0 ? QString() : choice.server.trimmed());
    if (!m_settings.sync()) {
        showMessage(Texts::InstallWriteFailed.arg(m_settings.file()));
        return false;
    }
    return true;
}

} // namespace kv::app
