#include "lan/core/RecordingChangeAnnouncer.h"

namespace kv::lan {

RecordingChangeAnnouncer::RecordingChangeAnnouncer()
{
    installChangeAnnouncer(this);
}

RecordingChangeAnnouncer::~RecordingChangeAnnouncer()
{
    installChangeAnnouncer(nullptr);
}

bool RecordingChangeAnnouncer::announce(const QString& command, const QString& kind,
                                        const QStringList& values)
{
    m_announcements.push_back({command, kind, values});
    return m_sendSucceeds;
}

QStringList RecordingChangeAnnouncer::texts() const
{
    QStringList texts;
    for (const Announcement& announcement : m_announcements)
        texts << announcement.text();
    return texts;
}

} // namespace kv::lan
