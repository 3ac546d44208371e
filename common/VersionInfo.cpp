// Version text of a file. The system's binaries carry it as the marker
// "KVFILEVERSION=<version>" followed by a NUL (common/platform/
// VersionMarker.cpp); a file without such a marker has no version data.

#include "common/KVCommon.h"
#include "common/MessageGateway.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype kMaxVersionLength = 64;

// The version after the marker at position `at` of window, when it is a
// well-formed one ending in a NUL inside window; empty otherwise (the marker
// text itself appears in this library's code as a plain string).
QString versionAt(const QByteArray& window, qsizetype at)
{
    qsizetype end = at;
    while (end < window.size() && end - at <= kMaxVersionLength) {
        const char c = window[end];
        if (c == '\0')
            break;
        if (!((c >= '0' && c <= '9') || c == '.'))
            return {};
        ++end;
    }
    if (end == at || end >= window.size() || window[end] != '\0' || window[at] == '.')
        return {};
    return QString::fromLatin1(window.constData() + at, end - at);
}

} // namespace

int GetVersionInfo(QString fileName, QString& version)
{
    version.clear();
    const QFileInfo info(fileName);
    if (!info.exists())
        return -1;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        kv::showMessage(QStringLiteral("バージョン情報サイズ取得失敗！"));
        return 0;
    }

    const QByteArray marker = QByteArrayLiteral("KVFILEVERSION=");
    const qsizetype keep = marker.size() + kMaxVersionLength + 1;
    constexpr qint64 chunkSize = 1 << 20;
    QByteArray window;
    qsizetype searchFrom = 0;
    for (;;) {
        const QByteArray chunk = file.read(chunkSize);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) {
            kv::showMessage(QStringLiteral("バージョン情報取得失敗！"));
            return 0;
        }
        const bool atEnd = chunk.isEmpty();
        window += chunk;
        // Markers near the window's end wait for the next chunk unless the
        // file has ended.
        for (qsizetype at = window.indexOf(marker, searchFrom); at >= 0;
             at = window.indexOf(marker, at + 1)) {
            if (!atEnd && window.size() - at < keep) {
                break;
            }
            const QString found = versionAt(window, at + marker.size());
            if (!found.isEmpty()) {
                version = found;
                return 1;
            }
            searchFrom = at + 1;
        }
        if (atEnd)
            return -1;
        // Keep a tail long enough for a marker cut by the chunk boundary.
        if (window.size() > keep) {
            const qsizetype drop = window.size() - keep;
            window.remove(0, drop);
            searchFrom = qMax<qsizetype>(0, searchFrom - drop);
        }
    }
}
