#include "lan/core/ComputerName.h"

#include "common/Cp932.h"

namespace kv::lan::ComputerName {

QString forLockTables(const QString& wanted)
{
    QString name = wanted;
    const qsizetype zone = name.indexOf(QLatin1Char('%'));
    if (zone >= 0 && name.contains(QLatin1Char(':')))
        name.truncate(zone);
    QString coded;
    for (const QChar c : std::as_const(name))
        coded += cp932::codeOf(c.unicode()) > 0 ? c : QLatin1Char('_');
    bool onlyK = true;
    for (const QChar c : std::as_const(coded))
        onlyK = onlyK && c == QLatin1Char('k');
    if (onlyK)
        coded.prepend(QStringLiteral("PC-"));
    return cp932::truncateToBytes(coded, kMaxBytes);
}

} // namespace kv::lan::ComputerName
