#pragma once

#include <QByteArray>
#include <QString>

namespace kv::data {

// "017.dat": the caller-ID adapter's port and the ring sound.
struct CallerIdSettings {
    static constexpr qsizetype kFileSize = 1024;
    static constexpr qsizetype kSoundPathBytes = 300;

    qint32 port = 0;        // 0 none, 1..6 for COM1..COM6
    qint32 soundOption = 0; // 0 play the sound file
    QString soundPath;

    static CallerIdSettings fromBytes(const QByteArray& bytes);
    QByteArray toBytes(QString* refusal = nullptr) const;
    bool operator==(const CallerIdSettings&) const = default;
};

} // namespace kv::data
