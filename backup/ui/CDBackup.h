#pragma once

#include "backup/core/BackupVolumes.h"

#include <QDateTime>
#include <QDialog>

class QPushButton;
class QSettings;

namespace kv {
class CEditEx;
}

namespace kv::backup {

// The backup dialog: where the backup file goes. Opens on the folder of
// the last backup (profile "Backup"/"Path", else the local data folder)
// with a new name of the date and time; "実行(&Z)" checks the destination
// (ValidateBackupPath) and keeps the folder and file name in the profile.
class CDBackup : public QDialog {
    Q_OBJECT
public:
    CDBackup(BackupVolumes& volumes, QSettings* profile, const QString& localDataFolder,
             QWidget* parent = nullptr,
             const QDateTime& now = QDateTime::currentDateTime());

    // "ｻﾋﾞｵﾝﾊﾞｯｸｱｯﾌﾟ 26年12月10日 09時30分00秒.SBK" in folder.
    static QString defaultPath(const QString& folder, const QDateTime& now);

    // After OK: the checked path, its drive type and folder.
    QString path() const { return m_path; }
    BackupVolumes::DriveType driveType() const { return m_driveType; }
    QString folder() const { return m_folder; }

    void accept() override;

private:
    void browse();

    BackupVolumes& m_volumes;
    QSettings* m_profile;
    CEditEx* m_edit = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_path;
    QString m_folder;
    BackupVolumes::DriveType m_driveType = BackupVolumes::DriveType::Unknown;
};

} // namespace kv::backup
