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
// Where each step of prepare ends on the bar; checking the databases takes
// the rest up to kPreparedPercent.
constexpr int kJoinedPercent = 30;
constexpr int kUnpackedPercent = 85;

const std::atomic<bool> kNeverCancelled{false};

// Interrupts a check when the restore is cancelled.
int interruptWhenCancelled(void* cancel)
{
    return static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

QString integrityOf(const QString& path, const std::atomic<bool>& cancel)
{
    sqlite3* db = nullptr;
    QString finding;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK)
        rc = data::registerCp932Collation(db);
    if (rc == SQLITE_OK)
        sqlite3_progress_handler(db, 10000, interruptWhenCancelled,
                                 const_cast<std::atomic<bool>*>(&cancel));
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

DataRestore::DataRestore(BackupVolumes& volumes, MessageGateway& messages, QString dataFolder,
                         const std::atomic<bool>* cancel, std::function<void(int)> progress,
                         DiskQuestion* disks)
    : m_volumes(volumes)
    , m_messages(messages)
    , m_disks(disks)
    , m_dataFolder(QDir::cleanPath(dataFolder))
    , m_cancel(cancel ? cancel : &kNeverCancelled)
    , m_progress(std::move(progress))
{
}

DataRestore::~DataRestore()
{
    discard();
}

void DataRestore::report(int percent)
{
    if (percent != m_shown && m_progress)
        m_progress(percent);
    m_shown = percent;
}

void DataRestore::report(qint64 done, qint64 total, int from, int to)
{
    report(total > 0 ? from + int(done * (to - from) / total) : to);
}

bool DataRestore::checkDatabases(const QString& folder, QString* file, QString* finding)
{
    QStringList files = data::dataFileNames();
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (DataSnapshot::isDatabase(name) && !files.contains(name))
            files.append(name);
    }
    for (qsizetype checked = 0; checked < files.size(); ++checked) {
        report(checked, files.size(), kUnpackedPercent, kPreparedPercent);
        const QString name = files[checked];
        const QString path = QDir(folder).filePath(name);
        const QString found = QFileInfo::exists(path) ? integrityOf(path, *m_cancel)
                                                      : QStringLiteral("ファイルがありません");
        if (cancelled()) {
            finding->clear();
            return false;
        }
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
    report(0);
    const auto joined = [this](qint64 done, qint64 total) { report(done, total, 0, kJoinedPercent); };
    if (!BackupSetReader(m_volumes, m_messages, m_disks).join(backupFile, archive, *m_cancel, joined))
        return false;
    m_prepared = true;
    QString why;
    const auto unpacking = [this](qint64 done, qint64 total) {
        report(done, total, kJoinedPercent, kUnpackedPercent);
    };
    bool unpacked = QDir().mkpath(folder);
    if (!unpacked)
        why = QStringLiteral("%1 を作れません").arg(folder);
    else
        unpacked = ArchiveUnpacker::unpack(archive, folder, *m_cancel, unpacking, &why);
    QFile::remove(archive);
    if (!unpacked) {
        discard();
        if (!why.isEmpty())
            m_messages.showMessage(BackupTexts::Broken.arg(why), Icon::Critical);
        return false;
    }
    QString file;
    if (!checkDatabases(folder, &file, &why)) {
        discard();
        if (!why.isEmpty())
            m_messages.showMessage(BackupTexts::DatabaseBroken.arg(file, why), Icon::Critical);
        return false;
    }
    for (const char* sub : {"Temp", "Photo", "Printer"})
        QDir(folder).mkpath(QString::fromLatin1(sub));
    // A cancel that came during the last step still counts.
    if (cancelled()) {
        discard();
        return false;
    }
    report(kPreparedPercent);
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
    report(100);
    return true;
}

} // namespace kv::backup
