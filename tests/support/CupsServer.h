#pragma once

// A CUPS server of the test's own: its configuration, spool and socket in a
// temporary folder, found by the program through $CUPS_SERVER for the
// server's lifetime. Queues print to /dev/null; the spool keeps every
// document it was sent, so a test reads back what a job carried.

#include "support/TempFolder.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

namespace kv::test {

class CupsServer {
public:
    CupsServer();
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // Empty when the server runs; else why it does not.
    const QString& problem() const { return m_problem; }

    bool addQueue(const QString& name);
    bool removeQueue(const QString& name);
    bool setAccepting(const QString& name, bool accepting);
    // The documents the server was sent for this queue's jobs, oldest first.
    QStringList spooledDocuments() const;
    // lpstat's lines of every job the server knows.
    QStringList jobs() const;

private:
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr) const;

    TempFolder m_folder;
    QProcess m_daemon;
    std::optional<QByteArray> m_previousServer;
    QString m_problem;
};

} // namespace kv::test
