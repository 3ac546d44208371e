#pragma once

#include <QString>

class QWidget;

namespace kv::backup {

// Picks a backup file: where to save one ("参照(&A)" of the backup
// dialog) or which to restore. Tests stand in for the file dialog.
class BackupFileChooser {
public:
    virtual ~BackupFileChooser();
    // Empty when the user cancelled.
    virtual QString chooseForSaving(QWidget* parent, const QString& current) = 0;
    virtual QString chooseForRestoring(QWidget* parent, const QString& folder) = 0;
};

} // namespace kv::backup
