#pragma once

#include "data/settings/PrintPositions.h"

#include <QByteArray>

namespace kv::data {

// "003.dat": print positions and print options.
struct PrintSettings {
    static constexpr qsizetype kFileSize = 256;

    PrintPositions positions;
    qint32 colourInk = 0;          // 0 白黒, 1 カラー
    qint32 discountSign = 0;       // tick box 値引記号
    qint32 partsLabourBreakdown = 0; // tick box 部工内訳
    qint32 jobCategoryListOption = 0;

    static PrintSettings fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    bool operator==(const PrintSettings&) const = default;
};

} // namespace kv::data
