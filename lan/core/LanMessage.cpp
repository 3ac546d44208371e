#include "lan/core/LanMessage.h"

#include <QRegularExpression>

namespace kv::lan {
namespace {

QString unquoted(const QString& field)
{
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        return field.mid(1, field.size() - 2);
    return field;
}

} // namespace

LanMessage LanMessage::parse(const QString& text)
{
    LanMessage message;
    message.m_text = text;
    if (text.isEmpty())
        return message;
    const QStringList parts = text.split(QLatin1Char(','));
    for (int i = 0; i < parts.size() && i < kFieldCount; ++i)
        message.m_fields << unquoted(parts[i]);
    return message;
}

QString LanMessage::build(const QString& receiver, const QString& sender,
                          const QString& commandText)
{
    return receiver + QLatin1Char(',') + sender + QLatin1Char(',') + commandText;
}

QStringList LanMessage::values() const
{
    return m_fields.mid(4);
}

LanMessage LanMessage::withSender(const QString& sender) const
{
    QStringList fields = m_text.split(QLatin1Char(','));
    while (fields.size() < 2)
        fields << QString();
    fields[1] = sender;
    return parse(fields.join(QLatin1Char(',')));
}

QString LanMessage::relayedTo(const QString& receiver, const QString& computerName) const
{
    QStringList fields{receiver, computerName};
    for (int i = 2; i < kFieldCount; ++i)
        fields << field(i);
    return fields.join(QLatin1Char(','));
}

bool GetField(const QString& message, int index, QString& field)
{
    field.clear();
    if (index < 0 || index >= LanMessage::kFieldCount)
        return false;
    const LanMessage parsed = LanMessage::parse(message);
    if (index >= parsed.fieldCount())
        return false;
    field = parsed.field(index);
    return true;
}

QString canonicalAddress(const QString& address)
{
    static const QRegularExpression mapped(
        QStringLiteral("^::ffff:(\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3})$"),
        QRegularExpression::CaseInsensitiveOption);
    // The zone of a link-local address says which interface this computer
    // uses; the other computer does not see it.
    const QString bare = address.contains(QLatin1Char(':')) ? address.section(QLatin1Char('%'), 0, 0) : address;
    const QRegularExpressionMatch match = mapped.match(bare);
    if (match.hasMatch())
        return match.captured(1);
    return bare.contains(QLatin1Char(':')) ? bare.toLower() : bare;
}

} // namespace kv::lan
