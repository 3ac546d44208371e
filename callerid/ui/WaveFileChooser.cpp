#include "callerid/ui/WaveFileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace kv::callerid {

QString DialogWaveFileChooser::chooseWave(QWidget* parent, const QString& current)
{
    const QString folder = QDir::currentPath();
    QFileDialog dialog(parent, QString(), current,
                       QStringLiteral("Microsoft Waveform Audio Files (*.wav)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    if (!current.isEmpty())
        dialog.selectFile(current);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(folder);
    return chosen ? dialog.selectedFiles().constFirst() : QString();
}

} // namespace kv::callerid
