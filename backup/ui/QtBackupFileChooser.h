#pragma once

#include "backup/ui/BackupFileChooser.h"

namespace kv::backup {

// The system's file dialog, showing backup files (*.SBK).
class QtBackupFileChooser final : public BackupFileChooser {
public:
    QString chooseForSaving(QWidget* parent, const QString& current) override;
    QString chooseForRestoring(QWidget* parent, const QString& folder) override;
};

} // namespace kv::backup
