#pragma once

#include "lan/core/ChangeAnnouncer.h"

#include <QList>

namespace kv::lan {

// Keeps every announcement instead of sending it, for tests of the windows
// that announce; the send result can be scripted to act as a client whose
// server is gone. Installed for its lifetime.
class RecordingChangeAnnouncer final : public ChangeAnnouncer {
public:
    struct Announcement {
        QString command;
        QString kind;
        QStringList values;
        QString text() const { return commandText(command, kind, values); }
    };

    RecordingChangeAnnouncer();
    ~RecordingChangeAnnouncer() override;

    bool announce(const QString& command, const QString& kind,
                  const QStringList& values) override;

    void setSendSucceeds(bool succeeds) { m_sendSucceeds = succeeds; }
    const QList<Announcement>& announcements() const { return m_announcements; }
    QStringList texts() const;
    void clear() { m_announcements.clear(); }

private:
    QList<Announcement> m_announcements;
    bool m_sendSucceeds = true;
};

} // namespace kv::lan
