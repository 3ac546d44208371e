#include "backup/ui/InterfaceThreadGateway.h"

#include "backup/ui/CDNextDisk.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace kv::backup {

InterfaceThreadGateway::InterfaceThreadGateway(QObject* interfaceObject)
    : m_target(interfaceObject)
{
}

void InterfaceThreadGateway::onInterfaceThread(const std::function<void()>& work)
{
    QObject* target = m_target.data();
    if (!target || m_abandoned.load())
        return;
    if (QThread::currentThread() == target->thread())
        work();
    else
        QMetaObject::invokeMethod(target, work, Qt::BlockingQueuedConnection);
}

void InterfaceThreadGateway::showMessage(const QString& text, Icon icon)
{
    onInterfaceThread([&] { messageGateway().showMessage(text, icon); });
}

bool InterfaceThreadGateway::askYesNo(const QString& text, bool defaultNo, Icon icon)
{
    bool yes = false;
    onInterfaceThread([&] { yes = messageGateway().askYesNo(text, defaultNo, icon); });
    return yes;
}

QString InterfaceThreadGateway::chooseDisk(int number, BackupVolumes& volumes)
{
    QString root;
    onInterfaceThread([&] {
        CDNextDisk dialog(volumes, number, m_title);
        if (dialog.exec() == QDialog::Accepted)
            root = dialog.chosenRoot();
    });
    return root;
}

} // namespace kv::backup
