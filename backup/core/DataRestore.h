#pragma once

#include <QDateTime>
#include <QString>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

class BackupVolumes;

// Puts a backup back in place of the data folder. prepare reads the backup
// (or the disks of a set), unpacks it into a new folder beside the data
// folder and checks every database there, touching nothing of the data
// folder; only then, with the databases closed, swapIn renames the data
// folder to a dated name and the new folder to the data folder's.
class DataRestore {
public:
    DataRestore(BackupVolumes& volumes, MessageGateway& messages, QString dataFolder);
    ~DataRestore();

    // False after the message; nothing is left behind then.
    bool prepare(const QString& backupFile);
    // False after the message, with the data folder as it was.
    bool swapIn(const QDateTime& now = QDateTime::currentDateTime());
    // Removes a prepared folder that was not swapped in.
    void discard();

    QString preparedFolder() const { return m_dataFolder + QStringLiteral(".restore"); }
    QString keptFolder() const { return m_kept; }

    // Every database of the data folder is there and passes
    // PRAGMA integrity_check; false with the file and the finding.
    static bool checkDatabases(const QString& folder, QString* file, QString* finding);

private:
    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    QString m_dataFolder;
    QString m_kept;
    bool m_prepared = false;
};

} // namespace kv::backup
