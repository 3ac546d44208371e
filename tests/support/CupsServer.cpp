#include "support/CupsServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace kv::test {

namespace {

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

} // namespace

CupsServer::CupsServer()
{
    const QString root = m_folder.path();
    for (const char* sub : {"spool", "cache", "state", "log"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    const QString socket = root + QStringLiteral("/cups.sock");
    const bool written =
        writeFile(root + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing Off\n"
                                 "PreserveJobFiles Yes\nMaxJobs 0\n"
                                 "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n"
                                 "</Limit>\n</Policy>\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n")
                      .arg(socket))
        && writeFile(root + QStringLiteral("/cups-files.conf"),
                     QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                    "StateDir %1/state\nTempDir %1/spool\nServerBin /usr/lib/cups\n"
                                    "DataDir /usr/share/cups\nAccessLog %1/log/access_log\n"
                                    "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                    "FileDevice Yes\nPrintcap /dev/null\n")
                         .arg(root));
    if (!written) {
        m_problem = QStringLiteral("cannot write the configuration into ") + root;
        return;
    }
    if (qEnvironmentVariableIsSet("CUPS_SERVER"))
        m_previousServer = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", socket.toUtf8());
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(QStringLiteral("/usr/sbin/cupsd"),
                   {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                    QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    if (!m_daemon.waitForStarted(5000)) {
        m_problem = QStringLiteral("cupsd does not start (Debian's cups-daemon): ") + m_daemon.errorString();
        return;
    }
    const QDeadlineTimer deadline(15000);
    QString state;
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &state)
           || !state.startsWith(QStringLiteral("scheduler is running"))) {
        if (deadline.hasExpired() || m_daemon.state() != QProcess::Running) {
            m_problem = QStringLiteral("cupsd did not come up: ") + QString::fromLocal8Bit(m_daemon.readAll());
            return;
        }
        QThread::msleep(100);
    }
}

CupsServer::~CupsServer()
{
    if (m_daemon.state() == QProcess::Running) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
        m_daemon.waitForFinished(2000);
    }
    if (m_previousServer)
        qputenv("CUPS_SERVER", *m_previousServer);
    else
        qunsetenv("CUPS_SERVER");
}

bool CupsServer::run(const QString& program, const QStringList& arguments, QString* output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool CupsServer::addQueue(const QString& name)
{
    return run(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                QStringLiteral("-E")});
}

bool CupsServer::removeQueue(const QString& name)
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

bool CupsServer::setAccepting(const QString& name, bool accepting)
{
    return run(accepting ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"), {name});
}

QStringList CupsServer::spooledDocuments() const
{
    QDir spool(m_folder.path() + QStringLiteral("/spool"));
    QStringList paths;
    for (const QString& name : spool.entryList({QStringLiteral("d*")}, QDir::Files, QDir::Name))
        paths << spool.filePath(name);
    return paths;
}

QStringList CupsServer::jobs() const
{
    QString output;
    run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")},
        &output);
    return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace kv::test
