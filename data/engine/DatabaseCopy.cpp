#include "data/engine/DatabaseCopy.h"

#include <QFile>

#include <sqlite3.h>

namespace kv::data {

int copyDatabase(const QString& source, const QString& destination)
{
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READWRITE,
                             nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(from, 60000);
        rc = sqlite3_open_v2(QFile::encodeName(destination).constData(), &to,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        if (!backup) {
            rc = sqlite3_errcode(to);
        } else {
            rc = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        }
    }
    sqlite3_close_v2(to);
    sqlite3_close_v2(from);
    return rc;
}

} // namespace kv::data
