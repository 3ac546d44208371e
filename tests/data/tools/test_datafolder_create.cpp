#include "SqlProbe.h"

#include "data/costs/CostStore.h"
#include "data/engine/Connection.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataFolderCreator.h"
#include "data/tools/DataFolderTool.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

using namespace kv::data;
using kv::test::TempFolder;

namespace {

const char* sqlType(ColumnType type)
{
    switch (type) {
    case ColumnType::Long:
    case ColumnType::AutoLong: return "INTEGER";
    case ColumnType::Text: return "TEXT";
    case ColumnType::Date:
    case ColumnType::Double: return "REAL";
    }
    return "?";
}

// Every file under a folder with its bytes, to tell that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<dir>"));
    }
    return files;
}

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = DataFolderTool::run(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

} // namespace

TEST(DataFolderCreate, MakesEveryFileWithTheColumnTablesSchemaBelowMissingParents)
{
    TempFolder temp;
    const QString folder = temp.file(QStringLiteral("shop/data"));
    const ToolRun run = runTool({QStringLiteral("create"), folder});
    ASSERT_EQ(run.exitCode, DataFolderTool::Success) << run.err.toStdString();

    for (const QString& fileName : dataFileNames()) {
        SCOPED_TRACE(fileName.toStdString());
        Connection connection;
        ASSERT_TRUE(connection.open(QDir(folder).filePath(fileName), OpenMode::ReadOnly));
        QStringList expectedTables;
        for (const TableDef* table : dataTables()) {
            if (fileName != QLatin1String(table->fileName))
                continue;
            expectedTables << QString::fromLatin1(table->name);
            QStringList expected;
            for (const ColumnDef& c : table->columns)
                expected << QStringLiteral("%1 %2").arg(QLatin1String(c.name), QLatin1String(sqlType(c.type)));
            const QStringList actual = kv::test::column(
                connection, "SELECT name || ' ' || type FROM pragma_table_info('" + QByteArray(table->name) + "')");
            EXPECT_EQ(actual, expected) << table->name;
        }
        const QStringList tables = kv::test::column(
            connection, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
        // The statutory cost tables live beside the label sheets.
        if (fileName == QLatin1String("001.mdb"))
            expectedTables << QStringLiteral("CarEco") << QStringLiteral("StatutoryCost")
                           << QStringLiteral("StatutoryCostSettings");
        expectedTables.sort();
        EXPECT_EQ(tables, expectedTables);
    }
}

TEST(DataFolderCreate, WritesSettingsLockAndCounterFilesAtTheirSizesAndTheWorkingFolders)
{
    TempFolder temp;
    ASSERT_TRUE(DataFolderCreator::create(temp.path()));
    const QMap<QString, qint64> sizes{
        {"001.dat", 256}, {"002.dat", 256}, {"003.dat", 256}, {"004.dat", 1024}, {"005.dat", 2560},
        {"006.dat", 160}, {"009.dat", 76},  {"010.dat", 496}, {"011.dat", 496},  {"012.dat", 1952},
        {"013.dat", 1952}, {"014.dat", 336}, {"015.dat", 4},  {"017.dat", 1024}, {"018.dat", 10240},
        {"100.dat", 4},   {"101.dat", 4},   {"102.dat", 4},   {"103.dat", 4},
    };
    for (auto it = sizes.begin(); it != sizes.end(); ++it)
        EXPECT_EQ(QFileInfo(temp.file(it.key())).size(), it.value()) << it.key().toStdString();
    for (int lockFile = 50; lockFile <= 61; ++lockFile)
        EXPECT_EQ(QFileInfo(temp.file(QStringLiteral("0%1.dat").arg(lockFile))).size(), 960) << lockFile;
    for (const QString& sub : DataFolderCreator::workingFolders())
        EXPECT_TRUE(QFileInfo(temp.file(sub)).isDir()) << sub.toStdString();
    EXPECT_EQ(DataFolderCreator::workingFolders(),
              (QStringList{QStringLiteral("Temp"), QStringLiteral("Photo"), QStringLiteral("Printer")}));
}

TEST(DataFolderCreate, ShipsOneJobCategoryPerKindAndTheDefaultLabelSheet)
{
    TempFolder temp;
    ASSERT_TRUE(DataFolderCreator::create(temp.path()));
    DataStore store;
    ASSERT_TRUE(store.open(temp.path()));

    CDaoNyuukoKbnSet categories(store.connectionFor(CDaoNyuukoKbnSet::tableDef()));
    categories.SetSort(QStringLiteral("NyuukoKbnCode"));
    ASSERT_TRUE(categories.Open());
    QList<int> kinds;
    int expectedCode = 1;
    for (; !categories.IsEOF(); categories.MoveNext()) {
        EXPECT_EQ(categories.m_NyuukoKbnCode, expectedCode++);
        EXPECT_FALSE(categories.m_NyuukoKbn.isEmpty());
        EXPECT_LE(categories.m_NyuukoKbn.size(), 14);
        kinds << categories.m_NyuukoKind;
    }
    // General work first: a new slip starts with the first category.
    EXPECT_EQ(kinds, (QList<int>{4, 1, 2, 3, 5, 6, 7, 8, 98, 99}));

    CDaoSealSet sheets(store.connectionFor(CDaoSealSet::tableDef()));
    ASSERT_TRUE(sheets.Open());
    ASSERT_TRUE(sheets.FindFirst(QStringLiteral("Maker = \"Ａ－ｏｎｅ\" AND Hinban = \"28382\"")));
    // The sheet's labels fit on A4 (2100 x 2970 tenths of a millimetre).
    EXPECT_LE(sheets.m_Left + sheets.m_Retu * sheets.m_Yoko + (sheets.m_Retu - 1) * sheets.m_Horizontal, 2100);
    EXPECT_LE(sheets.m_Top + sheets.m_Gyo * sheets.m_Tate + (sheets.m_Gyo - 1) * sheets.m_Vertical, 2970);

    CostStore costs(store.mainConnection());
    EXPECT_EQ(costs.rows().value_or(std::vector<CostRow>{}).size(), CostStore::shippedRows().size());
}

TEST(DataFolderCreate, RefusesAnythingButAMissingOrEmptyFolderAndLeavesItUntouched)
{
    struct Case {
        const char* name;
        const char* file;     // written beforehand, relative to the temp folder
        const char* target;   // what create is pointed at
    };
    const Case cases[] = {
        {"a folder holding some other file", "data/memo.txt", "data"},
        {"a folder holding one database", "data/010.mdb", "data"},
        {"a folder holding one settings file", "data/102.dat", "data"},
        {"a folder holding only a hidden file", "data/.keep", "data"},
        {"a folder holding only a sub-folder", "data/Photo/000001a.jpg", "data"},
        {"a file in place of the folder", "data", "data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        ASSERT_TRUE(temp.write(QString::fromLatin1(c.file), "keep me"));
        const QMap<QString, QByteArray> before = snapshot(temp.path());
        const ToolRun run = runTool({QStringLiteral("create"), temp.file(QString::fromLatin1(c.target))});
        EXPECT_EQ(run.exitCode, DataFolderTool::Refused);
        EXPECT_TRUE(run.err.contains(u'！')) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(snapshot(temp.path()), before);
    }
}

TEST(DataFolderCreate, EmptyExistingFolderIsAccepted)
{
    TempFolder temp;
    ASSERT_TRUE(DataFolderCreator::create(temp.path()));
    EXPECT_TRUE(QFileInfo::exists(temp.file(QStringLiteral("030.mdb"))));
}

TEST(DataFolderTool, ProgramReportsRefusalInJapaneseOnStderrWithExitCodeOne)
{
    TempFolder temp;
    ASSERT_TRUE(temp.write(QStringLiteral("data/001.mdb"), "not ours"));
    QProcess tool;
    tool.start(kv::test::buildDir() + QStringLiteral("/bin/sabion-datafolder"),
               {QStringLiteral("create"), temp.file(QStringLiteral("data"))});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("空ではありません")));
    EXPECT_EQ(temp.read(QStringLiteral("data/001.mdb")), QByteArray("not ours"));
}

TEST(DataFolderTool, BadCommandLinesAreUsageErrors)
{
    TempFolder temp;
    const QString dir = temp.file(QStringLiteral("d"));
    const QList<QStringList> lines{
        {},
        {QStringLiteral("create")},
        {QStringLiteral("remove"), dir},
        {QStringLiteral("create"), dir, QStringLiteral("--from"), QStringLiteral("x")},
        {QStringLiteral("postal"), dir},
        {QStringLiteral("postal"), dir, QStringLiteral("--from")},
        {QStringLiteral("generate"), dir, QStringLiteral("--customers"), QStringLiteral("many")},
        {QStringLiteral("generate"), dir, QStringLiteral("--slips"), QStringLiteral("-5")},
    };
    for (const QStringList& line : lines) {
        SCOPED_TRACE(line.join(u' ').toStdString());
        const ToolRun run = runTool(line);
        EXPECT_EQ(run.exitCode, DataFolderTool::BadUsage);
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(dir));
    }
}

TEST(DataFolderTool, GenerateTakesTheLedgersCount)
{
    TempFolder temp;
    const QString dir = temp.file(QStringLiteral("d"));
    const ToolRun run = runTool({QStringLiteral("generate"), dir, QStringLiteral("--customers"), QStringLiteral("5"),
                                 QStringLiteral("--vehicles"), QStringLiteral("5"), QStringLiteral("--slips"),
                                 QStringLiteral("4"), QStringLiteral("--lines"), QStringLiteral("8"),
                                 QStringLiteral("--ledger"), QStringLiteral("30")});
    ASSERT_EQ(run.exitCode, DataFolderTool::Success) << run.err.toStdString();
    DataStore store;
    ASSERT_TRUE(store.open(dir));
    EXPECT_EQ(kv::test::scalar(store.mainConnection(), "SELECT count(*) FROM f013.ToriJnl"), 30);
    EXPECT_EQ(runTool({QStringLiteral("generate"), temp.file(QStringLiteral("e")), QStringLiteral("--ledger"),
                       QStringLiteral("-3")})
                  .exitCode,
              DataFolderTool::BadUsage);
}
