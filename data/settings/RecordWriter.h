#pragma once

#include <QByteArray>
#include <QString>

namespace kv::data {

// Builds a fixed-size settings record, zero-filled. Text goes in as CP932;
// text that does not fit its field or that CP932 cannot hold is refused (the
// field stays zero) and the first refusal is kept as a message for the user,
// because a silently shortened name or address would be printed wrongly.
class RecordWriter {
public:
    explicit RecordWriter(qsizetype recordSize);

    void putInt32(qsizetype offset, qint32 value);
    void putDouble(qsizetype offset, double value);
    // label names the field in the refusal message.
    bool putText(qsizetype offset, qsizetype size, const QString& text, const QString& label);
    void putBytes(qsizetype offset, const QByteArray& bytes);

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    const QByteArray& bytes() const { return m_bytes; }

    // The refusal text for text that cannot be stored in size bytes, or empty
    // when it can.
    static QString checkText(const QString& text, qsizetype size, const QString& label);

private:
    QByteArray m_bytes;
    QString m_error;
};

} // namespace kv::data
