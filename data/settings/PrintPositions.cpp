#include "data/settings/PrintPositions.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

PrintPositions PrintPositions::defaults()
{
    return fromValues({-1, -3, 8, 5, -2, 0, 0, 0, 1050, 1480, 2100, 0, 0});
}

std::array<qint32, PrintPositions::kCount> PrintPositions::values() const
{
    return {postcard[0], postcard[1], postcard[2], postcard[3], slipTop,    slipLeft, addresseeTop,
            addresseeLeft, upperFold, centreLine,  lowerFold,   labelX,     labelY};
}

PrintPositions PrintPositions::fromValues(const std::array<qint32, kCount>& v)
{
    PrintPositions p;
    p.postcard = {v[0], v[1], v[2], v[3]};
    p.slipTop = v[4];
    p.slipLeft = v[5];
    p.addresseeTop = v[6];
    p.addresseeLeft = v[7];
    p.upperFold = v[8];
    p.centreLine = v[9];
    p.lowerFold = v[10];
    p.labelX = v[11];
    p.labelY = v[12];
    return p;
}

PrintPositions PrintPositions::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kByteSize);
    std::array<qint32, kCount> v{};
    for (qsizetype i = 0; i < kCount; ++i)
        v[i] = in.int32At(4 * i);
    return fromValues(v);
}

QByteArray PrintPositions::toBytes() const
{
    return toFileBytes().left(kByteSize);
}

QByteArray PrintPositions::toFileBytes() const
{
    RecordWriter out(kFileSize);
    const auto v = values();
    for (qsizetype i = 0; i < kCount; ++i)
        out.putInt32(4 * i, v[i]);
    return out.bytes();
}

} // namespace kv::data
