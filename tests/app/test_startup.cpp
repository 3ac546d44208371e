#include "app/startup/AppGlobals.h"
#include "lan/net/CListeningSocket.h"
#include "app/startup/DocumentLifecycle.h"
#include "app/startup/FolderMaker.h"
#include "app/startup/FolderPath.h"
#include "app/startup/InstallationReader.h"
#include "app/startup/InstanceLock.h"
#include "app/startup/LanSession.h"
#include "app/startup/RecordService.h"
#include "common/DiskSpaceCheck.h"
#include "app/startup/StartupSequence.h"
#include "app/startup/platform/SystemFolderMaker.h"
#include "common/InstallSettings.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/net/LanServer.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <set>

using namespace kv::app;
using kv::DiskSpaceCheck;
using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;

namespace {

// Remembers every level asked for; the levels listed as present exist.
class RecordingFolderMaker final : public FolderMaker {
public:
    std::set<QString> existing;
    QString failing;
    int failCode = 13;
    QStringList asked;
    QStringList created;

    Result makeFolder(const QString& path, int* error) override
    {
        asked << path;
        if (path == failing) {
            *error = failCode;
            return Result::Failed;
        }
        if (existing.count(path))
            return Result::AlreadyExists;
        existing.insert(path);
        created << path;
        return Result::Created;
    }
};

} // namespace

TEST(CreateFolderPath, CreatesEachMissingLevelInOrderAndPassesOverExistingOnes)
{
    RecordingFolderMaker maker;
    maker.existing = {QStringLiteral("/srv")};
    EXPECT_TRUE(CreateFolderPath(QStringLiteral("/srv/Work/Data/Temp"), maker));
    EXPECT_EQ(maker.asked, (QStringList{"/srv", "/srv/Work", "/srv/Work/Data", "/srv/Work/Data/Temp"}));
    EXPECT_EQ(maker.created, (QStringList{"/srv/Work", "/srv/Work/Data", "/srv/Work/Data/Temp"}));
}

TEST(CreateFolderPath, NetworkPathsFollowTheShareRules)
{
    struct Case {
        const char* path;
        bool result;
        QStringList asked;
        QStringList messages;
    };
    const Case cases[] = {
        {"//PC1/share/data", true, {"//PC1/share", "//PC1/share/data"}, {}},
        {"//PC1", false, {}, {"パスにコンピュータ名しかありません！"}},
        // A share name of two characters alone is taken as there.
        {"//PC1/C$", true, {}, {}},
        {"//PC1/C$/Sabion", true, {"//PC1/C$", "//PC1/C$/Sabion"}, {}},
    };
    for (const Case& c : cases) {
        RecordingMessageGateway messages;
        RecordingFolderMaker maker;
        EXPECT_EQ(CreateFolderPath(QString::fromUtf8(c.path), maker), c.result) << c.path;
        EXPECT_EQ(maker.asked, c.asked) << c.path;
        EXPECT_EQ(messages.messages(), c.messages) << c.path;
    }
}

TEST(CreateFolderPath, AFailedLevelStopsWithTheFolderAndErrorCode)
{
    RecordingMessageGateway messages;
    RecordingFolderMaker maker;
    maker.failing = QStringLiteral("/srv/Work");
    EXPECT_FALSE(CreateFolderPath(QStringLiteral("/srv/Work/Data"), maker));
    EXPECT_EQ(maker.asked, (QStringList{"/srv", "/srv/Work"}));
    EXPECT_EQ(messages.messages(),
              QStringList{QStringLiteral("/srv/Work の作成に失敗しました！(エラーコード 13)")});
}

TEST(CreateFolderPath, MakesRealFoldersAndReportsTheSystemError)
{
    TempFolder temp;
    const QString deep = temp.path() + QStringLiteral("/顧客/Data/Temp");
    EXPECT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(CreateFolderPath(deep)) << "existing levels are no failure";

    // A file where a folder should go: the level below cannot be made.
    ASSERT_TRUE(temp.write(QStringLiteral("plain"), "x"));
    RecordingMessageGateway messages;
    EXPECT_FALSE(CreateFolderPath(temp.path() + QStringLiteral("/plain/sub")));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages().first(),
              QStringLiteral("%1/plain/sub の作成に失敗しました！(エラーコード %2)")
                  .arg(temp.path())
                  .arg(ENOTDIR));
}

TEST(CreateFolderPath, AShareThatIsNotThereIsNotMadeAsALocalFolder)
{
    // "//tmp/<name>" would otherwise become the local folder /tmp/<name>.
    TempFolder temp;
    const QString name = QFileInfo(temp.path()).fileName() + QStringLiteral("-share");
    const QString share = QStringLiteral("/tmp/") + name;
    const QString network = QLatin1Char('/') + share;
    RecordingMessageGateway messages;
    EXPECT_FALSE(CreateFolderPath(network + QStringLiteral("/data")));
    const bool made = QFileInfo::exists(share);
    QDir(share).removeRecursively();
    EXPECT_FALSE(made);
    EXPECT_EQ(messages.messages(),
              QStringList{QStringLiteral("%1 の作成に失敗しました！(エラーコード %2)").arg(network).arg(ENOENT)});

    // A share that is there is used as it is.
    ASSERT_TRUE(QDir().mkpath(share));
    messages.clear();
    EXPECT_TRUE(CreateFolderPath(network + QStringLiteral("/data")));
    EXPECT_TRUE(QFileInfo(share + QStringLiteral("/data")).isDir());
    QDir(share).removeRecursively();
}

namespace {

// An installation file written from the lines given.
QString writeInstallation(const TempFolder& temp, const QString& body)
{
    const QString file = temp.file(QStringLiteral("install.ini"));
    temp.write(QStringLiteral("install.ini"), body.toUtf8());
    return file;
}

} // namespace

TEST(InstallationReader, MissingValuesGiveTheirMessages)
{
    TempFolder temp;
    const QString data = temp.path() + QStringLiteral("/data");
    const QString paths = QStringLiteral("[Sabion]\nPath=/opt/Sabion/Sabion\nDataDirectoryPath=%1\n").arg(data);
    struct Case {
        const char* name;
        QString body;
        bool present; // write the file at all
        QString message;
    };
    const Case cases[] = {
        {"no file", {}, false, QStringLiteral("実行パス取得オープンエラー！")},
        {"no program group", QStringLiteral("[Other]\nPath=/x\n"), true, QStringLiteral("実行パス取得オープンエラー！")},
        {"no program path", QStringLiteral("[Sabion]\nDataDirectoryPath=%1\nKind\\sw=0\n").arg(data), true,
         QStringLiteral("実行パス取得リードエラー！")},
        {"no data folder", QStringLiteral("[Sabion]\nPath=/opt/Sabion/Sabion\nKind\\sw=0\n"), true,
         QStringLiteral("実行パス取得リードエラー！")},
        {"no Kind", paths, true, QStringLiteral("オープンエラー！")},
        {"no sw", paths + QStringLiteral("Kind\\other=1\n"), true, QStringLiteral("リードエラー！")},
        {"client without server", paths + QStringLiteral("Kind\\sw=1\n"), true,
         QStringLiteral("実行パス取得リードエラー！")},
    };
    for (const Case& c : cases) {
        const QString file = c.present ? writeInstallation(temp, c.body)
                                       : temp.file(QStringLiteral("missing.ini"));
        kv::InstallSettings settings(file);
        RecordingFolderMaker maker;
        RecordingMessageGateway messages;
        AppGlobals globals;
        EXPECT_FALSE(InstallationReader(settings, maker).readAll(globals)) << c.name;
        EXPECT_EQ(messages.messages(), QStringList{c.message}) << c.name;
    }
}

TEST(InstallationReader, ReadsFoldersRoleAndPortAndMakesTheWorkingFolders)
{
    TempFolder temp;
    const QString data = temp.path() + QStringLiteral("/shop/data");
    struct Case {
        const char* name;
        QString role;
        int lanRole;
        QString server;
    };
    // The server never reads SvrName; a client does.
    const Case cases[] = {
        {"server without SvrName", QStringLiteral("Kind\\sw=0\n"), 0, {}},
        {"client", QStringLiteral("SvrName=OFFICE1\nKind\\sw=1\n"), 1, QStringLiteral("OFFICE1")},
    };
    for (const Case& c : cases) {
        const QString file = writeInstallation(
            temp, QStringLiteral("Port=7001\n[Sabion]\nPath=/opt/Sabion/Sabion\nDataDirectoryPath=%1/\n").arg(data)
                      + c.role);
        kv::InstallSettings settings(file);
        RecordingFolderMaker maker;
        RecordingMessageGateway messages;
        AppGlobals globals;
        ASSERT_TRUE(InstallationReader(settings, maker).readAll(globals)) << c.name;
        EXPECT_TRUE(messages.messages().isEmpty()) << c.name;
        EXPECT_EQ(globals.programFolder, QStringLiteral("/opt/Sabion"));
        EXPECT_EQ(globals.dataFolder, data) << "without the trailing slash";
        EXPECT_EQ(globals.localDataFolder, data);
        EXPECT_EQ(globals.tempFolder, data + QStringLiteral("/Temp"));
        EXPECT_EQ(globals.lanRole, c.lanRole);
        EXPECT_EQ(globals.serverName, c.server);
        EXPECT_EQ(globals.port, 7001);
        EXPECT_TRUE(maker.created.contains(data + QStringLiteral("/Temp")));
        EXPECT_TRUE(maker.created.contains(data + QStringLiteral("/Photo")));
        EXPECT_TRUE(maker.created.contains(data + QStringLiteral("/Printer")));
    }
}

TEST(StartupSequence, ASecondCopyEndsQuietlyBeforeReadingAnything)
{
    TempFolder temp;
    InstanceLock first(QStringLiteral("サビオン"), temp.path());
    ASSERT_TRUE(first.acquire());
    EXPECT_EQ(QFileInfo(first.filePath()).fileName(), QStringLiteral("サビオン.lock"));

    InstanceLock second(QStringLiteral("サビオン"), temp.path());
    kv::InstallSettings settings(temp.file(QStringLiteral("missing.ini")));
    RecordingFolderMaker maker;
    RecordingMessageGateway messages;
    AppGlobals globals;
    EXPECT_EQ(StartupSequence(second, settings, maker).run(globals),
              StartupSequence::Outcome::AnotherCopyRunning);
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_TRUE(maker.asked.isEmpty());
}

namespace {

class CountingRecords final : public RecordService {
public:
    bool openResult = true;
    int opened = 0;
    int closed = 0;
    bool OpenAllDatabases() override
    {
        ++opened;
        return openResult;
    }
    void CloseDatabases() override { ++closed; }
};

bool waitFor(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

} // namespace

TEST(DocumentLifecycle, APortThatCannotBeHadSaysWhatToDoAndOpensNothing)
{
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress::Any, 0));
    AppGlobals globals;
    globals.port = occupant.serverPort();
    kv::lan::CListeningSocket listener;
    DiskSpaceCheck disk({}, {}, false, [](const QString&, double* f) { *f = 2e9; return true; });
    CountingRecords records;
    RecordingMessageGateway messages;
    DocumentLifecycle lifecycle(globals, listener, disk, records, QStringLiteral("/etc/sabion.ini"));

    EXPECT_FALSE(lifecycle.OnNewDocument());
    EXPECT_EQ(records.opened, 0);
    ASSERT_EQ(messages.messages().size(), 1);
    const QString text = messages.messages().first();
    EXPECT_TRUE(text.startsWith(QStringLiteral("ポート %1 で接続の待ち受けを開始できません！").arg(globals.port)));
    EXPECT_TRUE(text.contains(QStringLiteral("/etc/sabion.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral("Port に 1024 以上の番号")));
}

TEST(DocumentLifecycle, StartOrderAndClosingWithAConnectedClient)
{
    AppGlobals globals;
    globals.port = 0;
    kv::lan::CListeningSocket listener;
    bool enoughSpace = false;
    DiskSpaceCheck disk({}, {}, false, [&](const QString&, double* f) {
        *f = enoughSpace ? 2e9 : 10;
        return true;
    });
    CountingRecords records;
    RecordingMessageGateway messages;
    DocumentLifecycle lifecycle(globals, listener, disk, records, QString());

    // Too little space: the databases stay shut and the port is let go.
    EXPECT_FALSE(lifecycle.OnNewDocument());
    EXPECT_EQ(records.opened, 0);
    EXPECT_FALSE(listener.isListening());

    enoughSpace = true;
    messages.clear();
    ASSERT_TRUE(lifecycle.OnNewDocument());
    EXPECT_EQ(globals.computerName, QStringLiteral("Server"));
    EXPECT_EQ(records.opened, 1);
    EXPECT_TRUE(lifecycle.CanCloseFrame()) << "no client, no question";
    EXPECT_TRUE(messages.questions().isEmpty());

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, quint16(listener.port()));
    ASSERT_TRUE(waitFor([&] { return listener.connections().size() == 1; }));
    EXPECT_TRUE(lifecycle.CanCloseFrame()) << "a connection that has not joined is no client";
    // As the relay does with its first message.
    listener.join(listener.connections().first());
    ASSERT_EQ(lifecycle.ClientCount(), 1);
    messages.answerNext(false);
    EXPECT_FALSE(lifecycle.CanCloseFrame());
    EXPECT_EQ(messages.questions(),
              QStringList{QStringLiteral("接続中のクライアントがあります！\nデータ破損の恐れがありますが\n本当によろしいですね？")});
    messages.answerNext(true);
    EXPECT_TRUE(lifecycle.CanCloseFrame());

    client.disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return lifecycle.ClientCount() == 0; }));

    lifecycle.OnCloseDocument();
    lifecycle.OnCloseDocument();
    EXPECT_EQ(records.closed, 1) << "closed once";
    EXPECT_FALSE(listener.isListening());
}

TEST(DocumentLifecycle, CallerIdStartsAfterTheDatabasesAndItsFailureClosesThemAgain)
{
    AppGlobals globals;
    globals.port = 0;
    kv::lan::CListeningSocket listener;
    DiskSpaceCheck disk({}, {}, false, [](const QString&, double* f) { *f = 2e9; return true; });
    CountingRecords records;
    RecordingMessageGateway messages;
    DocumentLifecycle lifecycle(globals, listener, disk, records, QString());
    bool starts = false;
    int startedWithOpenDatabases = 0;
    int stopped = 0;
    lifecycle.setCallerId(
        [&] {
            startedWithOpenDatabases += records.opened - records.closed;
            return starts;
        },
        [&] {
            EXPECT_EQ(records.closed, 0) << "stopped before the databases close";
            ++stopped;
        });

    // The adapter's start failed (No to the question): the program does not
    // start, and nothing stays open.
    EXPECT_FALSE(lifecycle.OnNewDocument());
    EXPECT_EQ(startedWithOpenDatabases, 1);
    EXPECT_EQ(records.closed, 1);
    EXPECT_FALSE(listener.isListening());
    EXPECT_FALSE(lifecycle.isOpen());

    starts = true;
    records.closed = 0;
    ASSERT_TRUE(lifecycle.OnNewDocument());
    lifecycle.OnCloseDocument();
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(records.closed, 1);
}

TEST(LanSession, AClientGivenNoFolderByABusyServerSaysWhichFolderItUses)
{
    RecordingMessageGateway messages;
    kv::test::TempFolder temp;
    kv::lan::CListeningSocket listener;
    ASSERT_TRUE(listener.listen(0));
    kv::lan::LanServer server(listener, kv::lan::changeReceivers());
    // A backup runs on the server.
    server.setCallLookupSuspended([] { return true; });

    AppGlobals globals;
    globals.lanRole = 1;
    globals.serverName = QStringLiteral("127.0.0.1");
    globals.port = listener.port();
    globals.dataFolder = temp.path();
    globals.windowsComputerName = QStringLiteral("pc2");
    kv::app::LanSession session(temp.file(QStringLiteral("install.ini")));
    ASSERT_TRUE(session.joinServer(globals));
    EXPECT_EQ(globals.dataFolder, temp.path());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages()[0].startsWith(
        QStringLiteral("サーバーでデータの削除・バックアップ・復元のいずれかが実行中のため")));
    EXPECT_TRUE(messages.messages()[0].contains(temp.path()));
    session.leave();
}
