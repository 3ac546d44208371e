#include "lan/core/platform/SystemShares.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

namespace kv::lan::SystemShares {
namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QList<Share> read(const QString& root)
{
    const QDir base(root);
    QList<Share> shares;
    const QDir usershares(base.filePath(QStringLiteral("var/lib/samba/usershares")));
    for (const QString& name : usershares.entryList(QDir::Files, QDir::Name))
        shares += ShareTable::parseUsershare(name, readText(usershares.filePath(name)));
    shares += ShareTable::parseSmbConf(readText(base.filePath(QStringLiteral("etc/samba/smb.conf"))));
    shares += ShareTable::parseExports(readText(base.filePath(QStringLiteral("etc/exports"))));
    const QDir exportsD(base.filePath(QStringLiteral("etc/exports.d")));
    for (const QString& name : exportsD.entryList({QStringLiteral("*.exports")}, QDir::Files, QDir::Name))
        shares += ShareTable::parseExports(readText(exportsD.filePath(name)));
    return shares;
}

QList<MountEntry> mounts(const QString& file)
{
    return MountTable::parse(readText(file));
}

QString hostName()
{
    return QSysInfo::machineHostName();
}

} // namespace kv::lan::SystemShares
