#include "slips/core/SlipPhotos.h"

#include "common/FileNamePattern.h"
#include "common/platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace kv::slips {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
constexpr int kPrefixLength = 8; // "%06d%02d"

bool hasRowPrefix(const QString& name)
{
    if (name.size() < kPrefixLength)
        return false;
    for (int i = 0; i < kPrefixLength; ++i) {
        if (!name.at(i).isDigit())
            return false;
    }
    return true;
}

QString spaceMessage(const QString& folder)
{
    return QStringLiteral("ドライブ (%1) の空き容量が足りません！\n整理して空き容量を増やして下さい")
        .arg(folder);
}

// "name.jpg" → "name-2.jpg".
QString numbered(const QString& name, int number)
{
    const int dot = name.lastIndexOf(u'.');
    const QString suffix = QStringLiteral("-%1").arg(number);
    return dot > 0 ? name.left(dot) + suffix + name.mid(dot) : name + suffix;
}

} // namespace

SlipPhotos::SlipPhotos(QString photoFolder, QString workFolder)
    : m_photos(std::move(photoFolder)), m_work(std::move(workFolder))
{
}

QStringList SlipPhotos::namesOf(const QString& column)
{
    return column.split(kLineEnd, Qt::SkipEmptyParts);
}

QString SlipPhotos::columnOf(const QStringList& names)
{
    QString column;
    for (const QString& name : names)
        column += name + kLineEnd;
    return column;
}

QString SlipPhotos::workFolderFor(const QString& temporaryFolder)
{
    return temporaryFolder + QStringLiteral("/Photo");
}

QString SlipPhotos::slipPrefix(int slipNumber)
{
    return QStringLiteral("%1").arg(slipNumber, 6, 10, QLatin1Char('0'));
}

QString SlipPhotos::workPath(const QString& name) const
{
    return m_work + u'/' + name;
}

QString SlipPhotos::copyFailure(int code)
{
    return QStringLiteral("ファイルのコピーに失敗しました！(ｴﾗｰｺｰﾄﾞ=%1)").arg(code);
}

bool SlipPhotos::clearWork(QString* message) const
{
    if (!QDir().mkpath(m_work)) {
        *message = QStringLiteral("%1 の作成に失敗しました！").arg(m_work);
        return false;
    }
    QList<DirectoryEntry> entries;
    int code = 0;
    if (!FileSystem::listFolder(m_work, entries, &code)) {
        *message = QStringLiteral("%1 の削除に失敗しました！(ｴﾗｰｺｰﾄﾞ=%2)").arg(m_work).arg(code);
        return false;
    }
    for (const DirectoryEntry& entry : std::as_const(entries)) {
        if (entry.isFolder && !entry.isLink)
            continue;
        const QString path = workPath(entry.name);
        if (!FileSystem::removeFile(path, &code) && code != ENOENT) {
            *message = QStringLiteral("%1 の削除に失敗しました！(ｴﾗｰｺｰﾄﾞ=%2)").arg(path).arg(code);
            return false;
        }
    }
    return true;
}

bool SlipPhotos::loadInto(std::vector<data::SyaJnlRow>& lines, QString* message) const
{
    for (data::SyaJnlRow& line : lines) {
        QStringList kept;
        for (const QString& name : namesOf(line.m_Photo)) {
            const QString stored = m_photos + u'/' + name;
            if (!FileNamePattern::isPlainName(name) || !QFileInfo(stored).isFile())
                continue;
            int code = 0;
            if (!FileSystem::copyFile(stored, workPath(name), false, &code)) {
                *message = code == ENOSPC ? spaceMessage(m_work) : copyFailure(code);
                return false;
            }
            kept.append(name);
        }
        line.m_Photo = columnOf(kept);
    }
    return true;
}

bool SlipPhotos::attach(const QStringList& files, QString* column, QString* message) const
{
    QStringList names = namesOf(*column);
    int next = 1;
    for (const QString& file : files) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        QString name;
        do {
            name = QStringLiteral("p%1").arg(next++) + (suffix.isEmpty() ? QString() : u'.' + suffix);
        } while (QFileInfo::exists(workPath(name)));
        int code = 0;
        if (!FileSystem::copyFile(file, workPath(name), true, &code)) {
            *message = code == ENOSPC ? spaceMessage(m_work) : copyFailure(code);
            return false;
        }
        names.append(name);
    }
    *column = columnOf(names);
    return true;
}

QString SlipPhotos::finalName(int slipNumber, int row, const QString& workName,
                              QSet<QString>* taken) const
{
    const QString prefix = slipPrefix(slipNumber) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
    const QString rest = hasRowPrefix(workName) ? workName.mid(kPrefixLength) : u'_' + workName;
    const QString wanted = prefix + rest;
    QString name = wanted;
    // The stored file of the very same name is this photo unchanged; any
    // other stored file stays untouched until the recording has committed.
    const auto usable = [&](const QString& candidate) {
        if (taken->contains(candidate))
            return false;
        return candidate == workName || !QFileInfo::exists(m_photos + u'/' + candidate);
    };
    for (int number = 2; !usable(name); ++number)
        name = numbered(wanted, number);
    taken->insert(name);
    return name;
}

bool SlipPhotos::place(int slipNumber, std::vector<data::SyaJnlRow>& lines, QString* message)
{
    m_placed.clear();
    m_named.clear();
    QSet<QString> taken;
    for (data::SyaJnlRow& line : lines) {
        QStringList finals;
        for (const QString& name : namesOf(line.m_Photo)) {
            if (!FileNamePattern::isPlainName(name))
                continue;
            const QString target = finalName(slipNumber, line.m_LineNo + 1, name, &taken);
            const QString stored = m_photos + u'/' + target;
            if (!(target == name && QFileInfo(stored).isFile())) {
                int code = 0;
                if (!FileSystem::copyFile(workPath(name), stored, true, &code)) {
                    *message = code == ENOSPC ? spaceMessage(m_photos) : copyFailure(code);
                    discardPlaced();
                    return false;
                }
                m_placed.append(stored);
            }
            finals.append(target);
            m_named.insert(target);
        }
        line.m_Photo = columnOf(finals);
    }
    return true;
}

void SlipPhotos::discardPlaced()
{
    int code = 0;
    for (const QString& path : std::as_const(m_placed))
        FileSystem::removeFile(path, &code);
    m_placed.clear();
    m_named.clear();
}

void SlipPhotos::removeUnnamed(int slipNumber) const
{
    const QString prefix = slipPrefix(slipNumber);
    QList<DirectoryEntry> entries;
    int code = 0;
    if (!FileSystem::listFolder(m_photos, entries, &code))
        return; // what stays behind is only unreferenced
    for (const DirectoryEntry& entry : std::as_const(entries)) {
        if (!entry.isFolder && hasRowPrefix(entry.name) && entry.name.startsWith(prefix)
            && !m_named.contains(entry.name))
            FileSystem::removeFile(m_photos + u'/' + entry.name, &code);
    }
}

bool SlipPhotos::storedSize(const QString& photoFolder, int slipNumber, qint64* bytes)
{
    *bytes = 0;
    QList<DirectoryEntry> entries;
    int code = 0;
    if (!FileSystem::listFolder(photoFolder, entries, &code))
        return code == ENOENT;
    const QString prefix = slipPrefix(slipNumber);
    for (const DirectoryEntry& entry : std::as_const(entries)) {
        if (!entry.isFolder && entry.name.startsWith(prefix))
            *bytes += entry.size;
    }
    return true;
}

} // namespace kv::slips
