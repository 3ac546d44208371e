#pragma once

#include "common/KVCommonExport.h"

#include <QString>

#include <optional>

class QSettings;

namespace kv {

// The installation settings file: what the installer records about the
// program (its path, data folder, LAN role and server, LAN port, serial
// devices). One INI file, named by the environment variable
// SABION_INSTALL_INI, else $XDG_CONFIG_HOME (or ~/.config) +
// "/Kelvane/Sabion-install.ini". Layout:
//
//   Port=700
//   [Sabion]                  one group per program, by its base name
//   Path=/opt/Sabion/Sabion   the executable's full path
//   DataDirectoryPath=...
//   SvrName=...
//   Kind\sw=0                 LAN role: 0 server or stand-alone
//   [Serial]
//   COM1=/dev/ttyS0 ... COM6
//
// Getters return std::nullopt for a missing value, distinct from an empty one.
class KVCOMMON_EXPORT InstallSettings {
public:
    static constexpr int DefaultPort = 700;

    static QString path();

    explicit InstallSettings(const QString& file = path());
    ~InstallSettings();
    InstallSettings(const InstallSettings&) = delete;
    InstallSettings& operator=(const InstallSettings&) = delete;

    const QString& file() const { return m_file; }
    // The file exists and could be parsed.
    bool isReadable() const;
    // The program's group is present.
    bool hasProgram(const QString& program) const;

    std::optional<QString> programPath(const QString& program) const;
    std::optional<QString> dataDirectoryPath(const QString& program) const;
    std::optional<QString> serverName(const QString& program) const;
    // nullopt also when the value is not a number.
    std::optional<int> lanRole(const QString& program) const;
    // The LAN port; DefaultPort when missing or not a port number.
    int port() const;
    // Device of serial port COM1..COM6 (number 1..6).
    std::optional<QString> serialDevice(int number) const;

    void setProgramPath(const QString& program, const QString& value);
    void setDataDirectoryPath(const QString& program, const QString& value);
    void setServerName(const QString& program, const QString& value);
    void setLanRole(const QString& program, int role);
    void setPort(int port);
    void setSerialDevice(int number, const QString& device);
    // Writes pending changes; false when the file cannot be written.
    bool sync();

private:
    std::optional<QString> text(const QString& key) const;
    void setValue(const QString& key, const QString& value);

    QString m_file;
    QSettings* m_settings;
};

} // namespace kv
