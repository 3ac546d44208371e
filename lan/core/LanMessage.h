#pragma once

#include <QString>
#include <QStringList>

namespace kv::lan {

// One message between the computers: up to 13 comma-separated fields read
// by position. Field 0 names the receiver (the server name on a message a
// window built, the client's address on one the server sends), field 1
// the sender's computer name, field 2 the command, fields 3 to 12 its
// arguments. A field between double quotes loses them; a missing field
// reads as empty.
class LanMessage {
public:
    static constexpr int kFieldCount = 13;
    // What one message may hold, in CP932 bytes.
    static constexpr int kMaxBytes = 1024;

    LanMessage() = default;
    static LanMessage parse(const QString& text);
    // receiver + "," + sender + "," + commandText.
    static QString build(const QString& receiver, const QString& sender,
                         const QString& commandText);

    bool isEmpty() const { return m_text.isEmpty(); }
    const QString& text() const { return m_text; }
    // Fields the message has (at most 13).
    int fieldCount() const { return int(m_fields.size()); }
    QString field(int index) const { return m_fields.value(index); }
    QString command() const { return field(2); }
    QString kind() const { return field(3); }
    // Fields 4 on: the values of an "Update" or "Delete".
    QStringList values() const;
    // The same message with field 1 replaced: the server puts the address
    // of the connection a message came on there, whatever the text said.
    LanMessage withSender(const QString& sender) const;

    // What the server sends another client: its address, the server's
    // computer name and fields 2 to 12, always 13 fields.
    QString relayedTo(const QString& receiver, const QString& computerName) const;

private:
    QString m_text;
    QStringList m_fields;
};

// The field at index 0..12 with its quotes removed; false and empty text
// when the message has fewer fields.
bool GetField(const QString& message, int index, QString& field);

// The form addresses are compared in: an IPv4-mapped IPv6 address
// ("::ffff:192.168.1.5") as its IPv4 form, IPv6 in lower case without
// its zone ("%eth0").
QString canonicalAddress(const QString& address);

} // namespace kv::lan
