#pragma once

#include "uninstall/core/UserFolders.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace kv::uninstall {

// The uninstaller's whole work, in order: one uninstaller at a time, never
// while the program runs, the confirmation and the two questions, then the
// user's installation removed (program folder when installed by hand, data
// folder, desktop entries, our MIME type, profile, installation file).
// Backups are moved to the home folder first; another computer at work on
// the data folder stops it before anything is removed; a folder that is not
// plainly ours is left and named; a failure part-way says what went and
// what stayed. Messages and questions go through the message gateway.
class Uninstaller {
public:
    enum class Outcome {
        AnotherUninstaller, // quietly
        ProgramRunning,
        Cancelled,
        AlreadyRemoved,
        DataFolderInUse,
        Completed,
        StoppedPartWay,
    };

    struct Hooks {
        // The dialog "サビオンの削除": true for 実行.
        std::function<bool()> confirm;
        // Rebuilds a MIME database folder after one of its packages went.
        std::function<void(const QString& mimeFolder)> refreshMime;
    };

    Uninstaller(UserFolders folders, Hooks hooks);

    Outcome run();

    // After run: what went, what stayed (with why), where backups are now.
    const QStringList& removed() const { return m_removed; }
    const QStringList& left() const { return m_left; }
    const QStringList& movedBackups() const { return m_moved; }

    // A program under /usr (but not /usr/local) came with the package and
    // belongs to the package manager.
    static bool isPackaged(const QString& programPath);

private:
    struct Folder {
        QString path;
        QString error; // shown when it fails part-way
    };

    Outcome removeInstallation();
    // False when removal failed part-way (the error message is kept). A
    // folder the guard refuses is left, named, and counts as done.
    bool removeGuardedFolder(const QString& path, const QString& marker, const QString& notOurs,
                             const QString& error);
    // Backups out first, then the tree; a link goes as a link.
    bool removeFolder(const Folder& folder);
    bool removeFile(const QString& path, bool* wasThere = nullptr);
    bool removeMimeAssociations();
    void reportEnd(bool complete);

    UserFolders m_folders;
    Hooks m_hooks;
    QString m_error;
    QStringList m_notes;
    QStringList m_removed;
    QStringList m_left;
    QStringList m_moved;
};

} // namespace kv::uninstall
