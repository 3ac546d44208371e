#pragma once

#include <QString>
#include <QStringList>

namespace kv::uninstall {

// Decides whether a folder named by the installation may be removed: it must
// be absolute, must not be the root, a system folder, the home folder, one
// of the user's standard folders or a folder above them, and must hold the
// file that makes it ours. Both the path as written and the folder it
// resolves to are checked, so a link cannot lead the removal elsewhere.
class FolderGuard {
public:
    // home and the user's standard folders (configuration, data, desktop,
    // documents) are never removed, nor any folder above them.
    FolderGuard(QString home, QStringList userFolders);

    // Empty when folder may go; else the text naming it and why it stays.
    // marker: a file name inside folder that only an installation of ours
    // holds (the data file "010.mdb", the program file); notOurs: the text
    // used when it is missing.
    QString refusal(const QString& folder, const QString& marker, const QString& notOurs) const;

    static bool isSystemFolder(const QString& cleanPath);

private:
    bool isProtected(const QString& cleanPath) const;

    QStringList m_protected;
};

} // namespace kv::uninstall
