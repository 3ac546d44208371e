#include "data/settings/CallerIdSettings.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

namespace {
constexpr qsizetype kPort = 0;
constexpr qsizetype kSoundOption = 4;
constexpr qsizetype kSoundPath = 8;
}

CallerIdSettings CallerIdSettings::fromBytes(const QByteArray& bytes)
{
    const RecordReader in(bytes, kFileSize);
    CallerIdSettings s;
    s.port = in.int32At(kPort);
    s.soundOption = in.int32At(kSoundOption);
    s.soundPath = in.textAt(kSoundPath, kSoundPathBytes);
    return s;
}

QByteArray CallerIdSettings::toBytes(QString* refusal) const
{
    RecordWriter out(kFileSize);
    out.putInt32(kPort, port);
    out.putInt32(kSoundOption, soundOption);
    if (!out.putText(kSoundPath, kSoundPathBytes, soundPath, QStringLiteral("サウンドファイル名"))) {
        if (refusal)
            *refusal = out.error();
        return {};
    }
    return out.bytes();
}

} // namespace kv::data
