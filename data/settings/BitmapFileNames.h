#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace kv::data {

// "005.dat": the paths of the background bitmaps of postcard and label prints
// (entry 1 is the postcard back picture).
struct BitmapFileNames {
    static constexpr qsizetype kFileSize = 2560;
    static constexpr qsizetype kCount = 10;
    static constexpr qsizetype kPathBytes = 255;

    std::array<QString, kCount> paths;

    static BitmapFileNames fromBytes(const QByteArray& bytes);
    QByteArray toBytes(QString* refusal = nullptr) const;
    bool operator==(const BitmapFileNames&) const = default;
};

} // namespace kv::data
