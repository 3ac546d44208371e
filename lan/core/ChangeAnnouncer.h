#pragma once

#include <QString>
#include <QStringList>

namespace kv::lan {

// What a window calls after it changed shared data, so that the other
// computers re-read it. The message names a command ("Update" or
// "Delete"), the kind of data (the title of the window that shows it, e.g.
// "作業・部品") and the kind's values.
class ChangeAnnouncer {
public:
    static constexpr char kUpdate[] = "Update";
    static constexpr char kDelete[] = "Delete";
    // Notifications without a kind: a customer was added; a customer and
    // vehicle were recorded.
    static constexpr char kCustomersAdded[] = "KokRequery";
    static constexpr char kCustomersAndVehiclesChanged[] = "KokCarRequery";

    virtual ~ChangeAnnouncer();

    // False only when a client could not hand the message to the server;
    // the window then keeps its input so the user can try again.
    virtual bool announce(const QString& command, const QString& kind,
                          const QStringList& values) = 0;

    bool announceUpdate(const QString& kind, const QStringList& values = {})
    {
        return announce(QString::fromLatin1(kUpdate), kind, values);
    }
    bool announceDelete(const QString& kind, const QStringList& values = {})
    {
        return announce(QString::fromLatin1(kDelete), kind, values);
    }
    bool announceNotification(const char* notification)
    {
        return announce(QString::fromLatin1(notification), QString(), {});
    }

    // The command part of the message: "Update,作業・部品,12,ｵｲﾙ交換,ｵ", or the
    // notification alone ("KokRequery").
    static QString commandText(const QString& command, const QString& kind,
                               const QStringList& values);
};

// A computer without network partners: there is nobody to tell.
class StandAloneAnnouncer final : public ChangeAnnouncer {
public:
    bool announce(const QString&, const QString&, const QStringList&) override { return true; }
};

// The announcer windows use; the LAN layer installs its own when the
// network is in use. Not owned; nullptr restores the stand-alone one.
void installChangeAnnouncer(ChangeAnnouncer* announcer);
ChangeAnnouncer& changeAnnouncer();

} // namespace kv::lan
