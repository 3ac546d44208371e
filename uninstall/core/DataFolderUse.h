#pragma once

#include <QString>
#include <QStringList>

namespace kv::uninstall {

// Who else works on a data folder, read from its lock tables: a computer
// that holds a code there has a record open right now. A slot with no code
// is only a computer that once joined (slots stay until the server's next
// start), so it does not count.
struct DataFolderUse {
    QStringList otherComputers; // in table order, each once
    QString unreadable;         // a lock table that exists but cannot be read

    bool isFree() const { return otherComputers.isEmpty() && unreadable.isEmpty(); }

    // ownName: this computer's name in the tables ("Server" on a server).
    static DataFolderUse read(const QString& dataFolder, const QString& ownName);
};

} // namespace kv::uninstall
