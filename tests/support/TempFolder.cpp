#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kv::test {

TempFolder::TempFolder()
    : m_dir(QDir::tempPath() + "/kvtest-XXXXXX")
{
}

QString TempFolder::file(const QString& name) const
{
    return m_dir.path() + "/" + name;
}

bool TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace kv::test
