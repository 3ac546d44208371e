#include "lan/core/LanAnnouncer.h"

#include "common/Cp932.h"
#include "common/MessageGateway.h"
#include "lan/core/LanMessage.h"
#include "lan/core/LanTexts.h"

namespace kv::lan {

LanAnnouncer::LanAnnouncer(QString serverName, QString computerName, Sender send)
    : m_serverName(std::move(serverName))
    , m_computerName(std::move(computerName))
    , m_send(std::move(send))
{
}

QString LanAnnouncer::messageFor(const QString& command, const QString& kind,
                                 const QStringList& values) const
{
    return LanMessage::build(m_serverName, m_computerName, commandText(command, kind, values));
}

bool LanAnnouncer::announce(const QString& command, const QString& kind,
                            const QStringList& values)
{
    const QString message = messageFor(command, kind, values);
    if (cp932::byteLength(message) > LanMessage::kMaxBytes) {
        showMessage(LanTexts::MessageTooLong);
        return false;
    }
    return m_send && m_send(message);
}

} // namespace kv::lan
