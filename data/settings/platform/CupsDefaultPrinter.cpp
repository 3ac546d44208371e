#include "data/settings/platform/CupsDefaultPrinter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

namespace kv::data {

namespace {
QString fromLpstat()
{
    QProcess lpstat;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    lpstat.setProcessEnvironment(env);
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    if (!lpstat.waitForFinished(3000)) {
        lpstat.kill();
        lpstat.waitForFinished(1000);
        return {};
    }
    const QString out = QString::fromLocal8Bit(lpstat.readAllStandardOutput()).trimmed();
    const QString marker = QStringLiteral("system default destination:");
    const qsizetype at = out.indexOf(marker);
    if (at < 0)
        return {};
    return out.mid(at + marker.size()).section(QLatin1Char('\n'), 0, 0).trimmed();
}
}

QString CupsDefaultPrinter::defaultFromLpoptions(const QByteArray& content)
{
    QString found;
    for (const QByteArray& raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.startsWith(QStringLiteral("Default "), Qt::CaseInsensitive))
            continue;
        const QString destination = line.mid(8).trimmed().section(QLatin1Char(' '), 0, 0);
        found = destination.section(QLatin1Char('/'), 0, 0);
    }
    return found;
}

PrinterIdentity CupsDefaultPrinter::identityOf(const QString& destination)
{
    PrinterIdentity p;
    const qsizetype at = destination.indexOf(QLatin1Char('@'));
    if (at > 0 && at + 1 < destination.size()) {
        p.name = destination.left(at);
        p.serverName = destination.mid(at + 1);
        p.shareName = p.name;
        p.shared = true;
    } else {
        p.name = destination;
    }
    return p;
}

QString CupsDefaultPrinter::computerName()
{
    return QSysInfo::machineHostName().section(QLatin1Char('.'), 0, 0);
}

DefaultPrinterSource::Result CupsDefaultPrinter::defaultPrinter(PrinterIdentity* printer) const
{
    QString destination = qEnvironmentVariable("LPDEST");
    if (destination.isEmpty())
        destination = qEnvironmentVariable("PRINTER");
    if (destination.isEmpty()) {
        QFile options(QDir::homePath() + QStringLiteral("/.cups/lpoptions"));
        if (options.open(QIODevice::ReadOnly))
            destination = defaultFromLpoptions(options.readAll());
    }
    if (destination.isEmpty())
        destination = fromLpstat();
    if (destination.isEmpty())
        return Result::NoPrinter;
    *printer = identityOf(destination);
    return Result::Found;
}

} // namespace kv::data
