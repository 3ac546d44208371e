#include "backup/core/DataRestore.h"

#include "backup/core/ArchiveUnpacker.h"
#include "backup/core/BackupSetReader.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/DataSnapshot.h"
#include "common/MessageGateway.h"
#include "data/engine/Cp932Collation.h"
#include "data/tables/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace kv::backup {

namespace {
using Icon = MessageGateway::Icon;

QString integrityOf(const QString& path)
{
    sqlite3* db = nullptr;
    QString finding;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK)
        rc = data::registerCp932Collation(db);
    sqlite3_stmt* statement = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const QString line = QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            if (line != u"ok")
                finding += (finding.isEmpty() ? QString() : QStringLiteral("\n")) + line;
        }
        if (rc == SQLITE_DONE)
            rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK && finding.isEmpty())
        finding = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return finding;
}
} // namespace

DataRestore::DataRestore(BackupVolumes& volumes, MessageGateway& messages, QString dataFolder)
    : m_volumes(volumes)
    , m_messages(messages)
    , m_dataFolder(QDir::cleanPath(dataFolder))
{
}

DataRestore::~DataRestore()
{
    discard();
}

bool DataRestore::checkDatabases(const QString& folder, QString* file, QString* finding)
{
    QStringList files = data::dataFileNames();
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (DataSnapshot::isDatabase(name) && !files.contains(name))
            files.append(name);
    }
    for (const QString& name : std::as_const(files)) {
        const QString path = QDir(folder).filePath(name);
        const QString found = QFileInfo::exists(path) ? integrityOf(path)
                                                      : QStringLiteral("ファイルがありません");
        if (!found.isEmpty()) {
            *file = name;
            *finding = found;
            return false;
        }
    }
    return true;
}

void DataRestore::discard()
{
    if (m_prepared)
        QDir(preparedFolder()).removeRecursively();
    m_prepared = false;
}

bool DataRestore::prepare(const QString& backupFile)
{
    discard();
    const QString folder = preparedFolder();
    const QString archive = m_dataFolder + QStringLiteral(".restore.LZH");
    // Left over from a restore that never ended.
    QDir(folder).removeRecursively();
    if (!BackupSetReader(m_volumes, m_messages).join(backupFile, archive))
        return false;
    m_prepared = true;
    QString why;
    const bool unpacked = QDir().mkpath(folder) && ArchiveUnpacker::unpack(archive, folder, &why);
    QFile::remove(archive);
    if (!unpacked) {
        discard();
        m_messages.showMessage(BackupTexts::Broken.arg(why), Icon::Critical);
        return false;
    }
    QString file;
    if (!checkDatabases(folder, &file, &why)) {
        discard();
        m_messages.showMessage(BackupTexts::DatabaseBroken.arg(file, why), Icon::Critical);
        return false;
    }
    for (const char* sub : {"Temp", "Photo", "Printer"})
        QDir(folder).mkpath(QString::fromLatin1(sub));
    return true;
}

bool DataRestore::swapIn(const QDateTime& now)
{
    QString kept = m_dataFolder + now.toString(QStringLiteral("_yyyyMMdd_HHmmss"));
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = m_dataFolder + now.toString(QStringLiteral("_yyyyMMdd_HHmmss")) + QStringLiteral("_%1").arg(n);
    if (!m_prepared || !QDir().rename(m_dataFolder, kept)) {
        m_messages.showMessage(BackupTexts::SwapFailed.arg(m_dataFolder), Icon::Critical);
        return false;
    }
    if (!QDir().rename(preparedFolder(), m_dataFolder)) {
        QDir().rename(kept, m_dataFolder);
        m_messages.showMessage(BackupTexts::SwapFailed.arg(m_dataFolder), Icon::Critical);
        return false;
    }
    m_prepared = false;
    m_kept = kept;
    return true;
}

} // namespace kv::backup
