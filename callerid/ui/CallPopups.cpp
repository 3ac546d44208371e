#include "callerid/ui/CallPopups.h"

#include "callerid/core/RingSound.h"
#include "callerid/ui/CDCtiInfo.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace kv::callerid {

CallPopups::CallPopups(Setup setup, QObject* parent)
    : QObject(parent)
    , m_setup(std::move(setup))
{
}

CallPopups::~CallPopups()
{
    const QList<CDCtiInfo*> open = m_popups;
    m_popups.clear();
    qDeleteAll(open);
}

QPoint CallPopups::place(int cascade)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint corner = screen ? screen->availableGeometry().topLeft() : QPoint();
    return corner + QPoint(20 * cascade, 20 * cascade);
}

CDCtiInfo* CallPopups::open(const data::CallInfoEntry& call)
{
    CDCtiInfo::Setup setup;
    if (QSettings* profile = m_setup.profile) {
        setup.stays = profile->value(QStringLiteral("CtiInfo/ButtonPush"), 0).toInt() == 1;
        setup.seconds = profile->value(QStringLiteral("CtiInfo/DspSecond"), 30).toInt();
    }
    setup.showCustomer = m_setup.showCustomer;
    // A window of its own: it stays usable while the main window is off.
    auto* popup = new CDCtiInfo(call, std::move(setup));
    popup->move(place(m_cascade));
    m_cascade = (m_cascade + 1) % 3;
    connect(popup, &CDCtiInfo::closed, this, &CallPopups::popupClosed);
    m_popups.append(popup);
    popup->show();
    popup->raise();
    if (m_setup.sound)
        m_setup.sound->PlayRingSound();
    return popup;
}

void CallPopups::popupClosed(CDCtiInfo* popup)
{
    // One that is not on the list is not ours to delete.
    if (!m_popups.removeOne(popup))
        return;
    popup->deleteLater();
}

void CallPopups::closeAll()
{
    for (CDCtiInfo* popup : QList<CDCtiInfo*>(m_popups))
        popup->reject();
}

} // namespace kv::callerid
