#include "adapter/PortNames.h"

#include <QDir>
#include <QSettings>
#include <QString>

namespace tlx {

std::string installSettingsPath()
{
    const QString explicitPath = qEnvironmentVariable("SABION_INSTALL_INI");
    if (!explicitPath.isEmpty())
        return explicitPath.toStdString();
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + "/.config";
    return (configHome + "/Kelvane/Sabion-install.ini").toStdString();
}

std::string devicePathForPort(const char* portName)
{
    if (!portName || !*portName)
        return {};
    const QString name = QString::fromLocal8Bit(portName);
    if (name.startsWith('/'))
        return name.toStdString();
    const QString key = name.toUpper();
    if (key.size() != 4 || !key.startsWith("COM") || key[3] < '1' || key[3] > '6')
        return {};
    const int index = key[3].unicode() - '1';
    QSettings settings(QString::fromStdString(installSettingsPath()), QSettings::IniFormat);
    const QString device = settings.value("Serial/" + key).toString().trimmed();
    if (!device.isEmpty())
        return device.toStdString();
    return "/dev/ttyS" + std::to_string(index);
}

} // namespace tlx
