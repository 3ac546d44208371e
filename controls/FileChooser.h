#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kv {

// Every file and folder chooser of the system passes through here, so tests
// can answer them as they answer message boxes.
class FileChooser {
public:
    virtual ~FileChooser();
    // Existing files to read; empty when the user cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter) = 0;
    // One existing file to read; empty when cancelled. Unless a chooser
    // offers a single choice, the first of openFiles.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter);
    // A file to write (the suggestion pre-filled); empty when cancelled.
    // Replacing an existing file is for the caller to ask about.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& suggestion,
                             const QString& filter) = 0;
    // An existing folder; empty when cancelled.
    virtual QString folder(QWidget* parent, const QString& caption, const QString& start) = 0;
};

// The file dialogs of the platform.
class DialogFileChooser final : public FileChooser {
public:
    QStringList openFiles(QWidget* parent, const QString& caption, const QString& folder,
                          const QString& filter) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& suggestion,
                     const QString& filter) override;
    QString folder(QWidget* parent, const QString& caption, const QString& start) override;
};

// Installs the chooser used from now on (not owned); nullptr restores the
// platform's dialogs.
void installFileChooser(FileChooser* chooser);
FileChooser& fileChooser();

} // namespace kv
