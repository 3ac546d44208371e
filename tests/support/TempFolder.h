#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kv::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // path() + "/" + name
    QString file(const QString& name) const;
    // Writes bytes to a file below the folder, creating sub-folders.
    bool write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

} // namespace kv::test
