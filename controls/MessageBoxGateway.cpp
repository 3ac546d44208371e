#include "controls/MessageBoxGateway.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <utility>

namespace kv {
namespace {

QMessageBox::Icon boxIcon(MessageGateway::Icon icon)
{
    switch (icon) {
    case MessageGateway::Icon::Information: return QMessageBox::Information;
    case MessageGateway::Icon::Warning: return QMessageBox::Warning;
    case MessageGateway::Icon::Critical: return QMessageBox::Critical;
    case MessageGateway::Icon::Question: return QMessageBox::Question;
    case MessageGateway::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A modal dialog already open owns the box; otherwise the active window.
QWidget* boxOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// Boxes exist only on the user-interface thread; a report from a worker
// thread waits there until the user has answered.
template <typename Show>
auto onInterfaceThread(Show show)
{
    using Result = decltype(show());
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return show();
    Result result{};
    QMetaObject::invokeMethod(
        app, [&] { result = show(); }, Qt::BlockingQueuedConnection);
    return result;
}

} // namespace

QString MessageBoxGateway::programTitle()
{
    return QStringLiteral("自動車整備業システム サビオン");
}

MessageBoxGateway::MessageBoxGateway(QString caption)
    : m_caption(std::move(caption))
{
}

void MessageBoxGateway::showMessage(const QString& text, Icon icon)
{
    onInterfaceThread([&] {
        QMessageBox box(boxIcon(icon), m_caption, text, QMessageBox::Ok, boxOwner());
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        return box.exec();
    });
}

bool MessageBoxGateway::askYesNo(const QString& text, bool defaultNo, Icon icon)
{
    return onInterfaceThread([&] {
        QMessageBox box(boxIcon(icon), m_caption, text, QMessageBox::Yes | QMessageBox::No,
                        boxOwner());
        box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    });
}

} // namespace kv
