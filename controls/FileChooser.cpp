#include "controls/FileChooser.h"

#include "common/StartFolder.h"

#include <QFileDialog>

namespace kv {

namespace {
FileChooser* g_installed = nullptr;
} // namespace

FileChooser::~FileChooser() = default;

QString FileChooser::openFile(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter)
{
    return openFiles(parent, caption, folder, filter).value(0);
}

QStringList DialogFileChooser::openFiles(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, existingStartPath(folder), filter);
}

QString DialogFileChooser::openFile(QWidget* parent, const QString& caption,
                                    const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, existingStartPath(folder), filter);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& caption,
                                    const QString& suggestion, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, existingStartPath(suggestion), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString DialogFileChooser::folder(QWidget* parent, const QString& caption, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, caption, existingStartFolder(start));
}

void installFileChooser(FileChooser* chooser)
{
    g_installed = chooser;
}

FileChooser& fileChooser()
{
    static DialogFileChooser platform;
    return g_installed ? *g_installed : platform;
}

} // namespace kv
