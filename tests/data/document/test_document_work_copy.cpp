#include "DocumentTestFolder.h"

#include "data/service/ShareLockAction.h"

#include <QFile>
#include <QFileInfo>

namespace {

using kv::test::DocumentTestFolder;

class WorkCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_data.sqlOnFile("010.mdb", "INSERT INTO Kok (KokCode, UserName1) VALUES (1, 'a');");
        m_data.sqlOnFile("013.mdb", "INSERT INTO ToriJnl (KokCode, Tot) VALUES (1, 500);");
        m_doc = m_data.open();
        ASSERT_TRUE(m_data.folder.write("Temp/left-over.txt", "old"));
    }

    // The folder the document now reads the file from.
    QString folderOf(const char* file)
    {
        kv::data::Connection& connection = m_doc->store().mainConnection();
        return QFileInfo(connection.pathOf(connection.schemaOf(file))).absolutePath();
    }
    QString dataFolder() const { return QFileInfo(m_data.folder.path()).absoluteFilePath(); }
    QString tempFolder() const { return dataFolder() + "/Temp"; }
    QStringList tempFiles() const { return QDir(tempFolder()).entryList(QDir::Files); }

    // A change made by another computer on the data folder's file.
    void otherComputerAddsCustomer(int code)
    {
        m_data.sqlOnFile("010.mdb", "INSERT INTO Kok (KokCode, UserName1) VALUES (" + QByteArray::number(code) + ", 'x');");
    }

    DocumentTestFolder m_data;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> m_doc;
    double m_freeBytes = 1e12;
};

TEST_F(WorkCopyTest, KindSelectsItsFilesAndEndPutsThemBack)
{
    ASSERT_TRUE(m_doc->PrepareWorkCopy(10));
    EXPECT_EQ(m_doc->filesOnWorkCopy(), (QStringList{"010.mdb", "009.mdb", "003.mdb", "004.mdb"}));
    for (const char* file : {"010.mdb", "009.mdb", "003.mdb", "004.mdb"})
        EXPECT_EQ(folderOf(file), tempFolder()) << file;
    for (const char* file : {"013.mdb", "014.mdb", "002.mdb"})
        EXPECT_EQ(folderOf(file), dataFolder()) << file;
    EXPECT_FALSE(tempFiles().contains("left-over.txt"));
    EXPECT_TRUE(m_doc->customers().IsOpen());
    EXPECT_EQ(m_doc->customers().GetSort(), QStringLiteral("KokCode"));
    EXPECT_EQ(m_doc->CountCustomers(), 1);

    otherComputerAddsCustomer(2);
    ASSERT_TRUE(m_doc->customers().Requery());
    EXPECT_EQ(m_doc->CountCustomers(), 1); // the copy does not see it

    ASSERT_TRUE(m_doc->EndWorkCopy(10));
    EXPECT_TRUE(m_doc->filesOnWorkCopy().isEmpty());
    EXPECT_EQ(folderOf("010.mdb"), dataFolder());
    EXPECT_EQ(m_doc->CountCustomers(), 2);
    EXPECT_TRUE(tempFiles().isEmpty());
    // The Printing lock file was let go.
    kv::SharedFile printing;
    EXPECT_TRUE(m_doc->HeldLockFile("Printing", "Server", 1, kv::data::ShareLockAction::Hold, printing));
    EXPECT_TRUE(m_data.messages.messages().isEmpty());
}

TEST_F(WorkCopyTest, ANewKindFirstReturnsTheFilesOfTheOldOne)
{
    ASSERT_TRUE(m_doc->PrepareWorkCopy(0));
    ASSERT_TRUE(m_doc->PrepareWorkCopy(13));
    EXPECT_EQ(m_doc->filesOnWorkCopy(), (QStringList{"013.mdb", "004.mdb"}));
    EXPECT_EQ(folderOf("010.mdb"), dataFolder());
    EXPECT_EQ(folderOf("009.mdb"), dataFolder());
    EXPECT_EQ(folderOf("013.mdb"), tempFolder());
    EXPECT_EQ(tempFiles(), (QStringList{"004.mdb", "013.mdb"}));
    ASSERT_TRUE(m_doc->ledger().Requery());
    EXPECT_EQ(m_doc->ledger().m_Tot, 500);
    ASSERT_TRUE(m_doc->EndWorkCopy(13));
}

TEST_F(WorkCopyTest, KindWithoutFilesChangesNothing)
{
    ASSERT_TRUE(m_doc->PrepareWorkCopy(11));
    EXPECT_TRUE(m_doc->filesOnWorkCopy().isEmpty());
    EXPECT_EQ(folderOf("010.mdb"), dataFolder());
}

TEST_F(WorkCopyTest, FailuresLeaveTheRecordsetsOnTheDataFolder)
{
    struct Case {
        const char* name;
        std::function<void(kv::SharedFile&)> arrange;
        QString message;
    };
    const Case cases[] = {
        {"printing held elsewhere",
         [this](kv::SharedFile& held) {
             ASSERT_TRUE(held.open(m_data.folder.file("056.dat"),
                                   kv::FileMode::ReadWrite | kv::FileMode::ShareExclusive));
         },
         QStringLiteral("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。")},
        {"not enough space",
         [this](kv::SharedFile&) {
             m_freeBytes = 1073741824.0 + 10;
         },
         QStringLiteral("ドライブ (%1) の空き容量が足りません！\n整理して空き容量を増やして下さい")
             .arg(m_data.folder.path() + "/Temp")},
        {"space cannot be told",
         [this](kv::SharedFile&) { m_freeBytes = -1; },
         QStringLiteral("空き容量チェックエラー")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_data.messages.clear();
        m_freeBytes = 1e12;
        auto config = m_data.config();
        config.freeBytes = [this](const QString&, double* freeBytes) {
            *freeBytes = m_freeBytes;
            return m_freeBytes >= 0;
        };
        m_doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config);
        ASSERT_TRUE(m_doc->OpenAllDatabases());
        kv::SharedFile held;
        c.arrange(held);
        EXPECT_FALSE(m_doc->PrepareWorkCopy(0));
        EXPECT_EQ(m_data.messages.messages(), QStringList{c.message});
        EXPECT_TRUE(m_doc->filesOnWorkCopy().isEmpty());
        EXPECT_EQ(folderOf("010.mdb"), dataFolder());
        EXPECT_TRUE(m_doc->customers().IsOpen());
        EXPECT_TRUE(m_doc->vehicles().IsOpen());
        EXPECT_EQ(m_doc->CountCustomers(), 1);
        EXPECT_FALSE(tempFiles().contains("010.mdb"));
    }
}

} // namespace
