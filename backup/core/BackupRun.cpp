#include "backup/core/BackupRun.h"

#include "backup/core/ArchivePacker.h"
#include "backup/core/BackupCopier.h"
#include "backup/core/BackupHeader.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/DataSnapshot.h"
#include "backup/core/OtherComputers.h"
#include "common/MessageGateway.h"
#include "data/service/HeldLockGuard.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace kv::backup {

namespace {
using Icon = MessageGateway::Icon;
// Packing takes most of the time; the copy the rest of the bar.
constexpr int kPackShare = 80;
} // namespace

BackupRun::BackupRun(Setup setup, BackupVolumes& volumes, MessageGateway& messages,
                     const std::atomic<bool>& cancel, std::function<void(int)> progress,
                     DiskQuestion* disks)
    : m_setup(std::move(setup))
    , m_volumes(volumes)
    , m_messages(messages)
    , m_disks(disks)
    , m_cancel(cancel)
    , m_progress(std::move(progress))
{
}

bool BackupRun::hasBackupExtension(const QString& path)
{
    const QString upper = path.toUpper();
    return upper.contains(QStringLiteral(".SBK")) || upper.contains(QStringLiteral(".LZH"));
}

QString BackupRun::temporaryFolder() const
{
    return m_setup.dataFolder + QStringLiteral("/Temp");
}

QString BackupRun::archivePath() const
{
    return temporaryFolder() + QStringLiteral("/SABBACK.LZH");
}

QString BackupRun::snapshotFolder() const
{
    return temporaryFolder() + QStringLiteral("/SABBACK");
}

void BackupRun::report(int percent)
{
    if (percent != m_shown && m_progress)
        m_progress(percent);
    m_shown = percent;
}

bool BackupRun::clearTemporaryFolder()
{
    const QString folder = temporaryFolder();
    if (!QDir().mkpath(folder)) {
        m_messages.showMessage(BackupTexts::DeleteFailed.arg(folder + QStringLiteral("/*.*")).arg(EACCES),
                               Icon::Warning);
        return false;
    }
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const bool removed = entry.isDir() && !entry.isSymLink()
                               ? QDir(entry.filePath()).removeRecursively()
                               : QFile::remove(entry.filePath());
        if (!removed) {
            m_messages.showMessage(BackupTexts::DeleteFailed.arg(entry.filePath()).arg(EACCES),
                                   Icon::Warning);
            return false;
        }
    }
    return true;
}

bool BackupRun::MakeArchive()
{
    if (!clearTemporaryFolder())
        return false;
    QString error;
    {
        data::LockTables locks(m_setup.dataFolder, m_setup.lockTiming);
        data::HeldLockGuard printing(locks, QStringLiteral("Printing"), m_setup.computerName, 1,
                                     data::ShareLockAction::Hold);
        if (!printing.isHeld()) {
            m_messages.showMessage(BackupTexts::PrintingBusy, Icon::Warning);
            return false;
        }
        if (!OtherComputers::holdingLocks(m_setup.dataFolder, m_setup.computerName).isEmpty()) {
            m_messages.showMessage(BackupTexts::OthersHoldLocks, Icon::Warning);
            return false;
        }
        if (!DataSnapshot::take(m_setup.dataFolder, snapshotFolder(), m_cancel, &error)) {
            if (!error.isEmpty())
                m_messages.showMessage(error, Icon::Critical);
            return false;
        }
    }
    const bool packed = ArchivePacker::pack(
        snapshotFolder(), archivePath(), m_cancel,
        [this](qint64 done, qint64 total) {
            report(total > 0 ? int(done * kPackShare / total) : kPackShare);
        },
        &error, &m_utf8Names);
    QDir(snapshotFolder()).removeRecursively();
    if (!packed) {
        if (!error.isEmpty())
            m_messages.showMessage(BackupTexts::PackFailed.arg(error), Icon::Critical);
        return false;
    }
    // The header names the size in 32 bits: a larger archive is refused
    // before anything is written.
    const qint64 size = QFileInfo(archivePath()).size();
    if (size > BackupHeader::kMaxArchiveSize) {
        m_messages.showMessage(BackupTexts::TooLarge.arg(size), Icon::Warning);
        return false;
    }
    return true;
}

bool BackupRun::run()
{
    const bool done = perform();
    endMessage(m_messages, done, m_utf8Names);
    return done;
}

void BackupRun::endMessage(MessageGateway& messages, bool done, const QStringList& utf8Names)
{
    if (!done) {
        messages.showMessage(BackupTexts::Stopped, Icon::Warning);
        return;
    }
    if (utf8Names.isEmpty()) {
        messages.showMessage(BackupTexts::Done, Icon::Information);
        return;
    }
    // A box the screen can hold: the first names, then how many more.
    constexpr qsizetype kShown = 10;
    QStringList shown = utf8Names.mid(0, kShown);
    if (utf8Names.size() > kShown)
        shown.append(BackupTexts::MoreNames.arg(utf8Names.size() - kShown));
    messages.showMessage(BackupTexts::Done + QStringLiteral("\n\n")
                             + BackupTexts::Utf8Names.arg(shown.join(u'\n')),
                         Icon::Information);
}

bool BackupRun::perform()
{
    bool done = MakeArchive();
    if (done) {
        BackupCopier copier(
            m_volumes, m_messages, m_cancel,
            [this](int percent) { report(kPackShare + percent * (100 - kPackShare) / 100); },
            m_disks);
        if (!m_setup.checkedVolume.isEmpty())
            copier.setCheckedVolume(m_setup.checkedVolume, m_setup.checkedType);
        done = copier.CopyToBackupFile(archivePath(), m_setup.destination,
                                       m_setup.overwriteConfirmed);
    }
    QFile::remove(archivePath());
    QDir(snapshotFolder()).removeRecursively();
    return done;
}

} // namespace kv::backup
