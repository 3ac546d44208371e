#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kv {
class InstallSettings;
namespace lan {
struct MountEntry;
}
}

namespace kv::app {

// What the first start sets up, without windows: a new data folder for this
// computer with the shop's name and telephone in 自社情報, the demo data, or
// a client of a server whose share is mounted here; then the installation
// file. Nothing is written to the installation file unless the data folder
// is ready. Each refusal is shown through the message gateway.
class FirstStartSetup {
public:
    enum class Kind { NewData, Demo, Client };

    struct Choice {
        Kind kind = Kind::NewData;
        QString dataFolder;   // NewData
        QString shopName;     // NewData
        QString telephone;    // NewData
        QString server;       // Client
        int port = DefaultPort;
        QString mountFolder;  // Client
    };

    // Ports up to 1023 need root on Linux; the program's old 700 cannot be
    // listened on by a shop's user.
    static constexpr int DefaultPort = 7000;

    // The mount a folder lies on; the system's mount table unless replaced.
    using MountLookup = std::function<std::optional<lan::MountEntry>(const QString& folder)>;

    FirstStartSetup(InstallSettings& settings, QString programPath, MountLookup mounts = {});

    // The user's data folder for a new installation, and the demo's.
    static QString defaultDataFolder();
    static QString demoDataFolder();

    // True once the data folder is ready and the installation file written.
    bool apply(const Choice& choice);

private:
    bool prepareNewData(const Choice& choice) const;
    bool prepareDemo(const QString& folder) const;
    bool checkClient(const Choice& choice) const;
    bool writeInstallation(const Choice& choice, const QString& dataFolder, int role);

    InstallSettings& m_settings;
    QString m_programPath;
    MountLookup m_mounts;
};

} // namespace kv::app
