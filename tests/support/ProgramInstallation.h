#pragma once

#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace kv::test {

// The program as the build made it.
inline QString programPath()
{
    return kv::test::buildDir() + QStringLiteral("/bin/Sabion");
}

inline int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A home of its own for the real program, with an installation file, a
// fresh data folder and the user's runtime and configuration folders.
struct Installation {
    TempFolder home;
    QString data = home.path() + QStringLiteral("/data");
    int port = freePort();

    // extra: more lines for the installation file ("[Serial]\nCOM1=...").
    explicit Installation(const QString& extra = {})
    {
        QDir().mkpath(data);
        kv::data::EngineError error;
        EXPECT_TRUE(kv::data::createDataFolderDatabases(data, &error))
            << error.description.toStdString();
        QString reason;
        EXPECT_TRUE(kv::data::writeDefaultSettings(data, &reason)) << reason.toStdString();
        QDir().mkpath(home.path() + QStringLiteral("/runtime"));
        QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeIni(QStringLiteral("Port=%1\n[Sabion]\nPath=%2\nDataDirectoryPath=%3\nKind\\sw=0\n")
                     .arg(port)
                     .arg(programPath(), data)
                 + extra);
    }

    void writeIni(const QString& text) const { home.write(QStringLiteral("install.ini"), text.toUtf8()); }

    void prepare(QProcess& process) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/runtime"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("SABION_INSTALL_INI"), home.file(QStringLiteral("install.ini")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProgram(programPath());
    }
};

} // namespace kv::test
