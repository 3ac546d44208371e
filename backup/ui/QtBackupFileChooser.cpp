#include "backup/ui/QtBackupFileChooser.h"

#include <QFileDialog>

namespace kv::backup {

namespace {
const QString kFilter = QStringLiteral("ｻﾋﾞｵﾝ ﾊﾞｯｸｱｯﾌﾟ ﾌｧｲﾙ (*.SBK *.sbk)");
} // namespace

BackupFileChooser::~BackupFileChooser() = default;

QString QtBackupFileChooser::chooseForSaving(QWidget* parent, const QString& current)
{
    QFileDialog dialog(parent, QStringLiteral("バックアップを保存する場所"), current, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("SBK"));
    // The overwrite question comes with the destination's checks.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(current);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtBackupFileChooser::chooseForRestoring(QWidget* parent, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("データ復元"), folder, kFilter);
}

} // namespace kv::backup
