#pragma once

#include "backup/core/BackupVolumes.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QListWidget;
class QPushButton;

namespace kv::backup {

// Asks for the next disk of a set: "%d 枚目のディスクをドライブに入れて
// ください。" over the removable volumes mounted now. The list follows the
// system while the question is open: a disk put in is offered (and chosen
// for the user), one taken out goes.
class CDNextDisk : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    CDNextDisk(BackupVolumes& volumes, int number, const QString& title, QWidget* parent = nullptr);

    // After OK: the mount point of the chosen volume.
    QString chosenRoot() const { return m_chosen; }

    void accept() override;

private:
    void refresh();
    QString selectedRoot() const;

    BackupVolumes& m_volumes;
    QListWidget* m_list = nullptr;
    QLabel* m_none = nullptr;
    QPushButton* m_ok = nullptr;
    QTimer m_refresh;
    QString m_chosen;
};

} // namespace kv::backup
