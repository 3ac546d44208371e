#include "app/startup/FolderPath.h"

#include "app/startup/FolderMaker.h"
#include "app/startup/StartupTexts.h"
#include "app/startup/platform/SystemFolderMaker.h"
#include "common/MessageGateway.h"

#include <QStringList>

namespace kv::app {

bool CreateFolderPath(const QString& path, FolderMaker& maker)
{
    QString prefix;
    QString rest;
    if (path.startsWith(QStringLiteral("//"))) {
        const QString afterSlashes = path.mid(2);
        const qsizetype slash = afterSlashes.indexOf(QLatin1Char('/'));
        if (slash < 0) {
            showMessage(StartupTexts::ComputerNameOnly);
            return false;
        }
        prefix = QStringLiteral("//") + afterSlashes.left(slash);
        rest = afterSlashes.mid(slash + 1);
        // A share name alone (as a two-letter drive share) is never created.
        if (rest.size() == 2)
            return true;
    } else {
        // The root needs nothing; a relative path grows from where it stands.
        if (path.isEmpty() || path == QStringLiteral("/"))
            return true;
        if (path.startsWith(QLatin1Char('/'))) {
            rest = path.mid(1);
        } else {
            rest = path;
            prefix = QStringLiteral(".");
        }
    }

    const QStringList segments = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& segment : segments) {
        prefix += QLatin1Char('/') + segment;
        int error = 0;
        if (maker.makeFolder(prefix, &error) == FolderMaker::Result::Failed) {
            const QString shown = prefix.startsWith(QStringLiteral("./")) ? prefix.mid(2) : prefix;
            showMessage(StartupTexts::FolderCreateFailed.arg(shown).arg(error));
            return false;
        }
    }
    return true;
}

bool CreateFolderPath(const QString& path)
{
    SystemFolderMaker maker;
    return CreateFolderPath(path, maker);
}

} // namespace kv::app
