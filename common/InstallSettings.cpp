#include "common/InstallSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kv {
namespace {

QString programKey(const QString& program, const char* key)
{
    return program + QLatin1Char('/') + QLatin1String(key);
}

QString serialKey(int number)
{
    return QStringLiteral("Serial/COM%1").arg(number);
}

} // namespace

QString InstallSettings::path()
{
    const QString named = qEnvironmentVariable("SABION_INSTALL_INI");
    if (!named.isEmpty())
        return named;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Kelvane/Sabion-install.ini");
}

InstallSettings::InstallSettings(const QString& file)
    : m_file(file)
    , m_settings(new QSettings(file, QSettings::IniFormat))
{
}

InstallSettings::~InstallSettings()
{
    delete m_settings;
}

bool InstallSettings::isReadable() const
{
    return QFileInfo(m_file).isFile() && m_settings->status() == QSettings::NoError;
}

bool InstallSettings::hasProgram(const QString& program) const
{
    return isReadable() && !program.isEmpty() && m_settings->childGroups().contains(program);
}

std::optional<QString> InstallSettings::text(const QString& key) const
{
    if (!m_settings->contains(key))
        return std::nullopt;
    return m_settings->value(key).toString();
}

std::optional<QString> InstallSettings::programPath(const QString& program) const
{
    return text(programKey(program, "Path"));
}

std::optional<QString> InstallSettings::dataDirectoryPath(const QString& program) const
{
    return text(programKey(program, "DataDirectoryPath"));
}

std::optional<QString> InstallSettings::serverName(const QString& program) const
{
    return text(programKey(program, "SvrName"));
}

std::optional<int> InstallSettings::lanRole(const QString& program) const
{
    const std::optional<QString> value = text(programKey(program, "Kind/sw"));
    if (!value)
        return std::nullopt;
    bool ok = false;
    const int role = value->trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return role;
}

int InstallSettings::port() const
{
    bool ok = false;
    const int value = m_settings->value(QStringLiteral("Port")).toString().trimmed().toInt(&ok);
    return ok && value > 0 && value <= 65535 ? value : DefaultPort;
}

std::optional<QString> InstallSettings::serialDevice(int number) const
{
    if (number < 1 || number > 6)
        return std::nullopt;
    return text(serialKey(number));
}

void InstallSettings::setValue(const QString& key, const QString& value)
{
    m_settings->setValue(key, value);
}

void InstallSettings::setProgramPath(const QString& program, const QString& value)
{
    setValue(programKey(program, "Path"), value);
}

void InstallSettings::setDataDirectoryPath(const QString& program, const QString& value)
{
    setValue(programKey(program, "DataDirectoryPath"), value);
}

void InstallSettings::setServerName(const QString& program, const QString& value)
{
    setValue(programKey(program, "SvrName"), value);
}

void InstallSettings::setLanRole(const QString& program, int role)
{
    setValue(programKey(program, "Kind/sw"), QString::number(role));
}

void InstallSettings::setPort(int port)
{
    setValue(QStringLiteral("Port"), QString::number(port));
}

void InstallSettings::setSerialDevice(int number, const QString& device)
{
    if (number >= 1 && number <= 6)
        setValue(serialKey(number), device);
}

bool InstallSettings::sync()
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace kv
