#include "ScopedEnvironment.h"
#include "common/CommandLine.h"
#include "common/InstallSettings.h"
#include "common/KVCommon.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <gtest/gtest.h>

using kv::test::RecordingMessageGateway;
using kv::test::ScopedEnvironment;
using kv::test::TempFolder;

namespace {

bool appears(const QString& path, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(path))
            return true;
        QThread::msleep(20);
    }
    return QFileInfo::exists(path);
}

} // namespace

// ---- GetExeFullPath ---------------------------------------------------------

class GetExeFullPathTest : public ::testing::Test {
protected:
    TempFolder m_dir;
    ScopedEnvironment m_ini{"SABION_INSTALL_INI", QFile::encodeName(m_dir.file("install.ini"))};

    void writeProgramPath(const QString& value)
    {
        kv::InstallSettings settings(m_dir.file("install.ini"));
        settings.setProgramPath("Sabion", value);
        ASSERT_TRUE(settings.sync());
    }
};

TEST_F(GetExeFullPathTest, QuotedPathComesBackUnquotedWithItsFolder)
{
    writeProgramPath("\"/opt/Kelvane Sabion/Sabion\"");
    RecordingMessageGateway messages;
    QString path, folder, share;
    EXPECT_EQ(GetExeFullPath(path, folder, share, "Sabion", "PC01"), 1);
    EXPECT_EQ(path, "/opt/Kelvane Sabion/Sabion");
    EXPECT_EQ(folder, "/opt/Kelvane Sabion");
    EXPECT_EQ(share, "//PC01/Sabion");
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(GetExeFullPathTest, MissingEntriesAreReported)
{
    struct Row {
        const char* ini;  // nullptr: no file
        const char* message;
    } rows[] = {
        {nullptr, "実行パス取得オープンエラー！"},
        {"[Sabdel]\nPath=/opt/Sabion/Sabdel\n", "実行パス取得オープンエラー！"},
        {"[Sabion]\nDataDirectoryPath=/srv/data\n", "実行パス取得リードエラー！"},
    };
    for (const Row& row : rows) {
        QFile::remove(m_dir.file("install.ini"));
        if (row.ini) {
            ASSERT_TRUE(m_dir.write("install.ini", row.ini));
        }
        RecordingMessageGateway messages;
        QString path = "unchanged", folder = "unchanged", share;
        EXPECT_EQ(GetExeFullPath(path, folder, share, "Sabion", "PC01"), 0);
        EXPECT_EQ(messages.messages(), QStringList{QString::fromUtf8(row.message)});
        EXPECT_EQ(path, "unchanged");
        EXPECT_EQ(share, "//PC01/Sabion");
    }
}

// ---- GetVersionInfo ---------------------------------------------------------

TEST(GetVersionInfo, FindsTheLibrarysOwnVersion)
{
    RecordingMessageGateway messages;
    QString version = "stale";
    EXPECT_EQ(GetVersionInfo(kv::test::buildDir() + "/lib/libKVCommon.so", version), 1);
    EXPECT_EQ(version, "1.0.0.0");
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(GetVersionInfo, FilesWithoutVersionDataAnswerMinusOneSilently)
{
    TempFolder dir;
    QByteArray cut("some bytes KVFILEVERSION=1.2");  // ends before its NUL
    QByteArray bare("KVFILEVERSION=");
    bare.append('\0');
    dir.write("plain.txt", "no version here");
    dir.write("cut.bin", cut);
    dir.write("bare.bin", bare + QByteArray("KVFILEVERSION=x1") + QByteArray(1, '\0'));
    for (const char* name : {"plain.txt", "cut.bin", "bare.bin", "none.dll"}) {
        RecordingMessageGateway messages;
        QString version = "stale";
        EXPECT_EQ(GetVersionInfo(dir.file(name), version), -1) << name;
        EXPECT_TRUE(version.isEmpty()) << name;
        EXPECT_TRUE(messages.messages().isEmpty()) << name;
    }
}

TEST(GetVersionInfo, FindsAMarkerAcrossReadBoundaries)
{
    TempFolder dir;
    QByteArray bytes((1 << 20) - 7, 'x');  // the marker straddles the first chunk's end
    bytes += "KVFILEVERSION=2.5.10.3";
    bytes += '\0';
    bytes += QByteArray(100, 'y');
    dir.write("app.bin", bytes);
    QString version;
    EXPECT_EQ(GetVersionInfo(dir.file("app.bin"), version), 1);
    EXPECT_EQ(version, "2.5.10.3");
}

TEST(GetVersionInfo, AFolderCannotBeRead)
{
    TempFolder dir;
    RecordingMessageGateway messages;
    QString version;
    EXPECT_EQ(GetVersionInfo(dir.path(), version), 0);
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("バージョン情報サイズ取得失敗！")});
}

// ---- Disk space -------------------------------------------------------------

TEST(DiskSpace, TheTemporaryFolderHasSpace)
{
    double total = -1, free = -1;
    ASSERT_EQ(GetDiskFreeByteEx(QDir::tempPath(), &total, &free), 1);
    EXPECT_GT(total, 0);
    EXPECT_GT(free, 0);
    EXPECT_LE(free, total);
    const double available = GetDiskFreeByte(QDir::tempPath());
    EXPECT_GT(available, 0);
    EXPECT_LE(available, free);
}

TEST(DiskSpace, AMissingRootFailsAndLeavesTheOutputs)
{
    double total = 12, free = 34;
    EXPECT_EQ(GetDiskFreeByteEx("/no/such/volume", &total, &free), 0);
    EXPECT_EQ(total, 12);
    EXPECT_EQ(free, 34);
    EXPECT_EQ(GetDiskFreeByte("/no/such/volume"), -1);
}

// ---- Command lines and LunchExeFile -----------------------------------------

TEST(CommandLine, SplitsWithWindowsQuotingRules)
{
    struct Row {
        const char* line;
        QStringList parts;
    } rows[] = {
        {"prog", {"prog"}},
        {"  prog  a   b ", {"prog", "a", "b"}},
        {"\"/opt/my app/prog\" x", {"/opt/my app/prog", "x"}},
        {"prog \"two words\" \"\"", {"prog", "two words", ""}},
        {"prog a;b c|d $HOME", {"prog", "a;b", "c|d", "$HOME"}},
        {"prog a\\\\b \\\"q\\\" \"x\\\\\" y", {"prog", "a\\\\b", "\"q\"", "x\\", "y"}},
        {"prog \"say \"\"hi\"\"\"", {"prog", "say \"hi\""}},
        {"prog\ta\tb", {"prog", "a", "b"}},
        {"   ", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(kv::CommandLine::split(QString::fromUtf8(row.line)), row.parts) << row.line;
}

TEST(LunchExeFile, StartsAProgramWithoutAShell)
{
    TempFolder dir;
    RecordingMessageGateway messages;
    // Through a shell this would touch "a" and run echo; here touch gets
    // one argument naming one file.
    EXPECT_EQ(LunchExeFile("/usr/bin/touch \"" + dir.file("a;echo") + "\"", nullptr, 0, 1000), 1);
    EXPECT_TRUE(appears(dir.file("a;echo")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("a")));
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(LunchExeFile, RunsInTheGivenWorkingFolderAndFindsQuotedPrograms)
{
    TempFolder dir;
    QDir().mkpath(dir.file("my tools"));
    ASSERT_TRUE(QFile::link("/usr/bin/touch", dir.file("my tools/touch")));
    const QByteArray folder = QFile::encodeName(dir.path());
    EXPECT_EQ(LunchExeFile("\"" + dir.file("my tools/touch") + "\" made-here", folder.constData(), 0, 0), 1);
    EXPECT_TRUE(appears(dir.file("made-here")));
}

TEST(LunchExeFile, FailuresSayTheProgramDidNotStart)
{
    TempFolder dir;
    const QByteArray missingFolder = QFile::encodeName(dir.file("none"));
    struct Row {
        QString line;
        const char* folder;
    } rows[] = {
        {"/no/such/program", nullptr},
        {"", nullptr},
        {"/bin/true", missingFolder.constData()},
        {"/bin/true " + QString(260, 'x'), nullptr},
    };
    for (const Row& row : rows) {
        RecordingMessageGateway messages;
        EXPECT_EQ(LunchExeFile(row.line, row.folder, 0, 0), 0) << row.line.left(40).toStdString();
        EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("起動に失敗しました！")});
    }
}

// ---- GetWindowsInfo ---------------------------------------------------------

class GetWindowsInfoTest : public ::testing::Test {
protected:
    TempFolder m_home;
    ScopedEnvironment m_homeVar{"HOME", QFile::encodeName(m_home.path())};
    ScopedEnvironment m_config{"XDG_CONFIG_HOME", QFile::encodeName(m_home.file(".config"))};
    ScopedEnvironment m_data{"XDG_DATA_HOME", QFile::encodeName(m_home.file(".local/share"))};

    void SetUp() override
    {
        QDir().mkpath(m_home.file("Desktop"));
        QDir().mkpath(m_home.file("Documents"));
        QDir().mkpath(m_home.file(".local/share/applications"));
    }

    struct Outputs {
        OsVersionInfo os;
        QString current, windows, system, desktop, programFiles, programs, temp, documents, computer;
    };
    int call(Outputs& o)
    {
        return GetWindowsInfo(o.os, o.current, o.windows, o.system, o.desktop, o.programFiles,
                              o.programs, o.temp, o.documents, o.computer);
    }
};

TEST_F(GetWindowsInfoTest, FillsEveryFolder)
{
    RecordingMessageGateway messages;
    Outputs o;
    ASSERT_EQ(call(o), 1) << messages.messages().join(' ').toStdString();
    EXPECT_EQ(o.os.platformId, 2);
    EXPECT_GT(o.os.majorVersion, 0);
    EXPECT_FALSE(o.os.description.isEmpty());
    EXPECT_EQ(o.current, QDir::currentPath());
    EXPECT_TRUE(QFileInfo(o.windows).isDir());
    EXPECT_TRUE(QFileInfo(o.system).isDir());
    EXPECT_EQ(o.desktop, m_home.file("Desktop"));
    EXPECT_EQ(o.programFiles, "/opt");
    EXPECT_EQ(o.programs, m_home.file(".local/share/applications"));
    EXPECT_EQ(o.temp, QDir::tempPath());
    EXPECT_EQ(o.documents, m_home.file("Documents"));
    EXPECT_EQ(o.computer, QSysInfo::machineHostName());
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(GetWindowsInfoTest, MissingUserFoldersFallBackToHomeThenStopWithTheirMessage)
{
    ASSERT_TRUE(QDir(m_home.file("Desktop")).removeRecursively());
    ASSERT_TRUE(QDir(m_home.file("Documents")).removeRecursively());
    {
        RecordingMessageGateway messages;
        Outputs o;
        EXPECT_EQ(call(o), 1);
        EXPECT_EQ(o.desktop, m_home.path());
        EXPECT_EQ(o.documents, m_home.path());
        EXPECT_TRUE(messages.messages().isEmpty());
    }
    ScopedEnvironment noHome("HOME", QFile::encodeName(m_home.file("gone")));
    RecordingMessageGateway messages;
    Outputs o;
    EXPECT_EQ(call(o), 0);
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("デスクトップフォルダがありません！")});
}

TEST_F(GetWindowsInfoTest, AMissingTemporaryFolderIsReported)
{
    ScopedEnvironment tmp("TMPDIR", QFile::encodeName(m_home.file("no-tmp")));
    RecordingMessageGateway messages;
    Outputs o;
    EXPECT_EQ(call(o), 0);
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("テンポラリフォルダ取得失敗！")});
}

TEST_F(GetWindowsInfoTest, ADeletedWorkingFolderIsReported)
{
    const QString before = QDir::currentPath();
    TempFolder doomed;
    ASSERT_TRUE(QDir::setCurrent(doomed.path()));
    ASSERT_TRUE(QDir().rmdir(doomed.path()));
    RecordingMessageGateway messages;
    Outputs o;
    const int result = call(o);
    QDir::setCurrent(before);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("カレントディレクトリ取得失敗！")});
}
