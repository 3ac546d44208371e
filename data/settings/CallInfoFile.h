#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace kv::data {

// One remembered call: the customer found for the number and when it rang.
struct CallInfoEntry {
    qint32 kokCode = 0; // 0: the entry is empty
    QString ownerName1; // 20 bytes
    QString ownerName2; // 20 bytes
    QString furi;       // 20 bytes
    QString ownerJyu1;  // 30 bytes
    QString ownerJyu2;  // 30 bytes
    QString tel1;       // 20 bytes
    QString tel2;       // 20 bytes
    QString arrival;    // 348 bytes: date and time of the call

    bool operator==(const CallInfoEntry&) const = default;
};

// "018.dat": the last 20 calls, oldest first, newest at index 19.
struct CallInfoFile {
    static constexpr qsizetype kFileSize = 10240;
    static constexpr qsizetype kCount = 20;
    static constexpr qsizetype kEntrySize = 512;

    std::array<CallInfoEntry, kCount> entries;

    static CallInfoFile fromBytes(const QByteArray& bytes);
    QByteArray toBytes(QString* refusal = nullptr) const;
    bool operator==(const CallInfoFile&) const = default;
};

} // namespace kv::data
