#include "lan/core/MountTable.h"

#include "lan/core/LanTexts.h"

#include <QDir>
#include <QRegularExpression>

namespace kv::lan::MountTable {
namespace {

bool isSamba(const QString& type)
{
    return type == QLatin1String("cifs") || type == QLatin1String("smb3")
           || type == QLatin1String("smbfs");
}

bool isNfs(const QString& type)
{
    return type == QLatin1String("nfs") || type == QLatin1String("nfs4");
}

bool sameHost(const QString& a, const QString& b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    // "pc01" and "pc01.shop.lan" are one computer; addresses are compared whole.
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    if (numeric.match(a).hasMatch() || numeric.match(b).hasMatch() || a.contains(QLatin1Char(':'))
        || b.contains(QLatin1Char(':')))
        return false;
    return a.section(QLatin1Char('.'), 0, 0).compare(b.section(QLatin1Char('.'), 0, 0),
                                                      Qt::CaseInsensitive)
           == 0;
}

QStringList components(const QString& path)
{
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

QString unescape(const QString& field)
{
    const auto octal = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('7'); };
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 3 < field.size() && octal(field[i + 1])
            && octal(field[i + 2]) && octal(field[i + 3])) {
            out += QChar(field.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
            continue;
        }
        out += field[i];
    }
    return out;
}

QList<MountEntry> parse(const QString& text)
{
    QList<MountEntry> mounts;
    static const QRegularExpression space(QStringLiteral("\\s+"));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList parts = line.trimmed().split(space, Qt::SkipEmptyParts);
        if (parts.size() < 4)
            continue;
        mounts.append({unescape(parts[0]), unescape(parts[1]), parts[2],
                       parts[3].split(QLatin1Char(','), Qt::SkipEmptyParts)});
    }
    return mounts;
}

std::optional<MountEntry> mountOf(const QString& path, const QList<MountEntry>& mounts)
{
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    const QString wanted = QDir::cleanPath(path);
    std::optional<MountEntry> best;
    for (const MountEntry& mount : mounts) {
        const QString point = QDir::cleanPath(mount.mountPoint);
        const bool below = point == QLatin1String("/") || wanted == point
                           || wanted.startsWith(point + QLatin1Char('/'));
        if (below && (!best || point.size() >= QDir::cleanPath(best->mountPoint).size()))
            best = mount;
    }
    return best;
}

std::optional<QString> localPathOf(const QString& networkPath, const QList<MountEntry>& mounts,
                                   const QStringList& otherHosts)
{
    if (!networkPath.startsWith(QLatin1String("//")))
        return std::nullopt;
    const QStringList wanted = components(networkPath.mid(2));
    if (wanted.isEmpty())
        return std::nullopt;
    const QString host = wanted.first();
    const QStringList wantedPath = wanted.mid(1);
    const auto hostMatches = [&](const QString& mountHost) {
        if (sameHost(mountHost, host))
            return true;
        for (const QString& other : otherHosts) {
            if (!other.isEmpty() && sameHost(mountHost, other))
                return true;
        }
        return false;
    };

    std::optional<QString> best;
    qsizetype bestLength = -1;
    for (const MountEntry& mount : mounts) {
        QString mountHost;
        QStringList mountPath;
        Qt::CaseSensitivity sensitivity = Qt::CaseSensitive;
        if (isSamba(mount.type) && mount.source.startsWith(QLatin1String("//"))) {
            const QStringList parts = components(QString(mount.source).replace(QLatin1Char('\\'), QLatin1Char('/')).mid(2));
            if (parts.isEmpty())
                continue;
            mountHost = parts.first();
            mountPath = parts.mid(1);
            sensitivity = Qt::CaseInsensitive;
        } else if (isNfs(mount.type) && mount.source.contains(QLatin1String(":/"))) {
            const qsizetype colon = mount.source.indexOf(QLatin1String(":/"));
            mountHost = mount.source.left(colon);
            if (mountHost.startsWith(QLatin1Char('[')) && mountHost.endsWith(QLatin1Char(']')))
                mountHost = mountHost.mid(1, mountHost.size() - 2);
            mountPath = components(mount.source.mid(colon + 1));
        } else {
            continue;
        }
        if (!hostMatches(mountHost) || mountPath.size() > wantedPath.size()
            || (mountPath.isEmpty() && isSamba(mount.type)))
            continue;
        bool prefix = true;
        for (qsizetype i = 0; i < mountPath.size() && prefix; ++i)
            prefix = mountPath[i].compare(wantedPath[i], sensitivity) == 0;
        if (!prefix || mountPath.size() <= bestLength)
            continue;
        QString local = QDir::cleanPath(mount.mountPoint);
        for (qsizetype i = mountPath.size(); i < wantedPath.size(); ++i)
            local += QLatin1Char('/') + wantedPath[i];
        best = QDir::cleanPath(local);
        bestLength = mountPath.size();
    }
    return best;
}

QString lockRefusal(const MountEntry& mount, const QString& folder)
{
    const QString where = mount.source + QStringLiteral(" → ") + mount.mountPoint + QStringLiteral(", ")
                          + mount.type;
    if (mount.type == QLatin1String("fuse") || mount.type.startsWith(QLatin1String("fuse.")))
        return LanTexts::FuseRefused.arg(folder, where);
    if (isSamba(mount.type)) {
        if (mount.options.contains(QLatin1String("nobrl")))
            return LanTexts::LockOptionRefused.arg(folder, where, QStringLiteral("nobrl"));
        return {};
    }
    if (isNfs(mount.type)) {
        for (const QString& option : mount.options) {
            if (option == QLatin1String("nolock"))
                return LanTexts::LockOptionRefused.arg(folder, where, option);
            if (option.startsWith(QLatin1String("local_lock="))
                && option != QLatin1String("local_lock=none"))
                return LanTexts::LockOptionRefused.arg(folder, where, option);
        }
    }
    return {};
}

} // namespace kv::lan::MountTable
