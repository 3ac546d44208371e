#include "uninstall/platform/MimeDatabase.h"

#include <QProcess>
#include <QStandardPaths>

namespace kv::uninstall {

void refreshMimeDatabase(const QString& mimeFolder)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty())
        return;
    QProcess process;
    process.start(tool, {mimeFolder});
    process.waitForFinished(30000);
}

} // namespace kv::uninstall
