#include "lan/core/ShareTable.h"

#include "lan/core/LanTexts.h"
#include "lan/core/MountTable.h"

#include <QDir>
#include <QRegularExpression>

namespace kv::lan::ShareTable {
namespace {

// Joins lines ending in a backslash with the next one.
QStringList logicalLines(const QString& text)
{
    QStringList lines;
    QString pending;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.endsWith(QLatin1Char('\\'))) {
            pending += line.left(line.size() - 1);
            continue;
        }
        lines << pending + line;
        pending.clear();
    }
    if (!pending.isEmpty())
        lines << pending;
    return lines;
}

QString cleanFolder(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    return QDir::cleanPath(folder);
}

bool isPrinterOrSpecialSection(const QString& name)
{
    const QString lower = name.toLower();
    return lower == QLatin1String("global") || lower == QLatin1String("homes")
           || lower == QLatin1String("printers") || lower == QLatin1String("print$");
}

struct Match {
    const Share* share = nullptr;
    QString rest;
};

} // namespace

QList<Share> parseSmbConf(const QString& text)
{
    QList<Share> shares;
    QString section;
    QString path;
    bool available = true;
    bool printable = false;
    const auto finish = [&] {
        if (!section.isEmpty() && !path.isEmpty() && available && !printable
            && !isPrinterOrSpecialSection(section))
            shares.append({Share::Kind::Samba, section, cleanFolder(path)});
        path.clear();
        available = true;
        printable = false;
    };
    static const QRegularExpression sectionLine(QStringLiteral("^\\[(.*)\\]$"));
    for (const QString& raw : logicalLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        const QRegularExpressionMatch header = sectionLine.match(line);
        if (header.hasMatch()) {
            finish();
            section = header.captured(1).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed().toLower().remove(QLatin1Char(' '));
        const QString value = line.mid(equals + 1).trimmed();
        const QString lowerValue = value.toLower();
        const bool no = lowerValue == QLatin1String("no") || lowerValue == QLatin1String("false")
                        || lowerValue == QLatin1String("0");
        if (key == QLatin1String("path") || key == QLatin1String("directory"))
            path = value;
        else if (key == QLatin1String("available"))
            available = !no;
        else if (key == QLatin1String("printable") || key == QLatin1String("printok"))
            printable = !no;
    }
    finish();
    return shares;
}

QList<Share> parseUsershare(const QString& fileName, const QString& text)
{
    QString name = fileName;
    QString path;
    for (const QString& raw : logicalLines(text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("path=")))
            path = line.mid(5);
        else if (line.startsWith(QLatin1String("sharename=")))
            name = line.mid(10);
    }
    if (name.isEmpty() || path.isEmpty())
        return {};
    return {{Share::Kind::Samba, name, cleanFolder(path)}};
}

QList<Share> parseExports(const QString& text)
{
    QList<Share> shares;
    for (const QString& raw : logicalLines(text)) {
        QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString path;
        if (line.startsWith(QLatin1Char('"'))) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
            if (close < 0)
                continue;
            path = line.mid(1, close - 1);
        } else {
            path = MountTable::unescape(line.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0));
        }
        if (path.startsWith(QLatin1Char('/')))
            shares.append({Share::Kind::Nfs, cleanFolder(path), cleanFolder(path)});
    }
    return shares;
}

QString networkPathOf(const QString& folder, const QList<Share>& shares, const QString& host)
{
    const QString wanted = cleanFolder(folder);
    Match best;
    for (const Share& share : shares) {
        if (share.name.contains(QLatin1Char('$')) || share.path.isEmpty())
            continue;
        if (share.path == wanted) {
            best = {&share, QString()};
            break;
        }
        const QString prefix = share.path == QLatin1String("/") ? share.path : share.path + QLatin1Char('/');
        if (wanted.startsWith(prefix)
            && (!best.share || share.path.size() > best.share->path.size()))
            best = {&share, wanted.mid(prefix.size())};
    }
    if (!best.share)
        return {};
    QString path = QStringLiteral("//") + host;
    if (best.share->kind == Share::Kind::Samba)
        path += QLatin1Char('/') + best.share->name;
    else if (best.share->path != QLatin1String("/"))
        path += best.share->path;
    if (!best.rest.isEmpty())
        path += QLatin1Char('/') + best.rest;
    return path;
}

bool GetSharedDataFolderPath(const QString& localDataFolder, const QList<Share>& shares,
                             const QString& host, QString& path, QString& failure)
{
    path.clear();
    failure.clear();
    if (localDataFolder.isEmpty())
        failure = LanTexts::PathEmpty;
    else if (!localDataFolder.startsWith(QLatin1Char('/')))
        failure = LanTexts::PathNotAbsolute;
    else
        path = networkPathOf(localDataFolder, shares, host);
    if (failure.isEmpty() && path.isEmpty())
        failure = LanTexts::NotShared;
    return failure.isEmpty();
}

} // namespace kv::lan::ShareTable
