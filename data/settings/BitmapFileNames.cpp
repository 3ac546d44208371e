#include "data/settings/BitmapFileNames.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

BitmapFileNames BitmapFileNames::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    BitmapFileNames s;
    for (qsizetype i = 0; i < kCount; ++i)
        s.paths[i] = in.textAt(kPathBytes * i, kPathBytes);
    return s;
}

QByteArray BitmapFileNames::toBytes(QString* refusal) const
{
    RecordWriter out(kFileSize);
    for (qsizetype i = 0; i < kCount; ++i)
        out.putText(kPathBytes * i, kPathBytes, paths[i],
                    QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ名%1").arg(i + 1));
    if (!out.ok()) {
        if (refusal)
            *refusal = out.error();
        return {};
    }
    return out.bytes();
}

} // namespace kv::data
