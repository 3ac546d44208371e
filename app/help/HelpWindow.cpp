#include "app/help/HelpWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QUrl>

namespace kv::app {

HelpWindow::HelpWindow(QWidget* parent)
    : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpWindow"));
    setOpenExternalLinks(true);
    setWindowTitle(QStringLiteral("サビオン ヘルプ"));
    resize(720, 600);
}

bool HelpWindow::showPage(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    setSearchPaths({info.absolutePath()});
    setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    QTextBrowser::closeEvent(event);
}

} // namespace kv::app
