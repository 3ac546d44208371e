#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace kv::data {

// "009.dat": the 19 line-category names (区分), index 0..18, each at most four
// CP932 bytes, stored masked byte by byte.
struct CategoryNames {
    static constexpr qsizetype kFileSize = 76;
    static constexpr qsizetype kCount = 19;
    static constexpr qsizetype kNameBytes = 4;
    static constexpr unsigned char kMask = 0x5D;

    std::array<QString, kCount> names;

    // Index of the first category with exactly this name, or -1.
    int indexOf(const QString& name) const;

    // Trailing blanks of a stored name are dropped.
    static CategoryNames fromBytes(const QByteArray& bytes);
    // A name shorter than four bytes is followed by masked zeros.
    QByteArray toBytes(QString* refusal = nullptr) const;
    bool operator==(const CategoryNames&) const = default;
};

} // namespace kv::data
