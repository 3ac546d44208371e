#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

class BackupVolumes;
class DiskQuestion;

// Puts a backup back in place of the data folder. prepare reads the backup
// (or the disks of a set), unpacks it into a new folder beside the data
// folder and checks every database there, touching nothing of the data
// folder; only then, with the databases closed, swapIn renames the data
// folder to a dated name and the new folder to the data folder's.
//
// prepare may run on a thread of its own: its messages go through the
// gateway given, a cancel is noticed within each step, and progress runs
// up to kPreparedPercent; swapIn takes it to 100.
class DataRestore {
public:
    static constexpr int kPreparedPercent = 95;

    // disks: asked for the next disk of a set of removable disks.
    DataRestore(BackupVolumes& volumes, MessageGateway& messages, QString dataFolder,
                const std::atomic<bool>* cancel = nullptr,
                std::function<void(int percent)> progress = {}, DiskQuestion* disks = nullptr);
    ~DataRestore();

    // False after the message, or silently when cancelled; nothing is left
    // behind then.
    bool prepare(const QString& backupFile);
    // False after the message, with the data folder as it was.
    bool swapIn(const QDateTime& now = QDateTime::currentDateTime());
    // Removes a prepared folder that was not swapped in.
    void discard();

    QString preparedFolder() const { return m_dataFolder + QStringLiteral(".restore"); }
    QString keptFolder() const { return m_kept; }

private:
    // Every database of the data folder is there and passes
    // PRAGMA integrity_check; false with the file and the finding (none
    // when cancelled).
    bool checkDatabases(const QString& folder, QString* file, QString* finding);
    bool cancelled() const { return m_cancel->load(); }
    void report(int percent);
    // Reports done of total as a part of the bar from `from` to `to`.
    void report(qint64 done, qint64 total, int from, int to);

    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    DiskQuestion* m_disks;
    QString m_dataFolder;
    const std::atomic<bool>* m_cancel;
    std::function<void(int)> m_progress;
    QString m_kept;
    bool m_prepared = false;
    int m_shown = -1;
};

} // namespace kv::backup
