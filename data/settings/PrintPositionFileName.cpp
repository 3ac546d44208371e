#include "data/settings/PrintPositionFileName.h"

namespace kv::data {

namespace {
QString asciiLettersAndDigits(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            out.append(c);
    }
    return out;
}

// Separators, wildcards and control characters are refused by one file
// system or another; a share name comes from the network and may hold them.
QString fileNameSafe(const QString& text)
{
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            continue;
        out.append(c);
    }
    return out;
}
}

QString printPositionFileName(const PrinterIdentity& printer, const QString& computerName)
{
    QString base;
    if (!printer.serverName.isEmpty())
        base = QString(printer.serverName).remove(QLatin1Char('\\')) + printer.shareName;
    else if (printer.shared)
        base = computerName + printer.shareName;
    else
        base = computerName + asciiLettersAndDigits(printer.name);
    base = fileNameSafe(base);
    if (base.isEmpty())
        return kDefaultPositionFile;
    return base + QStringLiteral(".dat");
}

} // namespace kv::data
