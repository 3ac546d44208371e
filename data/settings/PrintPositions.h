#pragma once

#include <QByteArray>

#include <array>

namespace kv::data {

// The 13 print positions, in tenths of a millimetre, that live both at the
// head of "003.dat" and in the per-printer position file.
struct PrintPositions {
    static constexpr qsizetype kCount = 13;
    static constexpr qsizetype kByteSize = kCount * 4;
    static constexpr qsizetype kFileSize = 256; // the per-printer file

    std::array<qint32, 4> postcard{}; // postcard print offsets
    qint32 slipTop = 0;               // 全体: top margin
    qint32 slipLeft = 0;              // 全体: left margin
    qint32 addresseeTop = 0;          // 宛先: top margin
    qint32 addresseeLeft = 0;         // 宛先: left margin
    qint32 upperFold = 0;             // 折目・中心: -2970..2970
    qint32 centreLine = 0;
    qint32 lowerFold = 0;
    qint32 labelX = 0; // label sheet offsets
    qint32 labelY = 0;

    // The positions a printer gets when it has no file of its own yet.
    static PrintPositions defaults();

    // The 13 integers from the head of bytes (zero where bytes are short).
    static PrintPositions fromBytes(const QByteArray& bytes);
    // The 13 integers as 52 bytes.
    QByteArray toBytes() const;
    // A zeroed 256-byte position file holding the 13 integers.
    QByteArray toFileBytes() const;

    std::array<qint32, kCount> values() const;
    static PrintPositions fromValues(const std::array<qint32, kCount>& values);
    bool operator==(const PrintPositions&) const = default;
};

} // namespace kv::data
