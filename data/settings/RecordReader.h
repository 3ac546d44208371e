#pragma once

#include <QByteArray>
#include <QString>

namespace kv::data {

// Reads the fields of a fixed-size settings record. The bytes of a short file
// read as zero past its end and the bytes past the record's size are ignored,
// so a damaged file yields a record and never an out-of-range access.
class RecordReader {
public:
    RecordReader(const QByteArray& bytes, qsizetype recordSize);

    qint32 int32At(qsizetype offset) const;
    double doubleAt(qsizetype offset) const;
    // CP932 text of a NUL-padded field; a field filled to its size has no
    // terminator and is read whole.
    QString textAt(qsizetype offset, qsizetype size) const;
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace kv::data
