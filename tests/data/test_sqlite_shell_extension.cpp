// The stock sqlite3 shell reads a data folder once our extension is loaded:
// it sorts and compares readings exactly as the program does.

#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataStore.h"
#include "data/tools/DataFolderCreator.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QList>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

using namespace kv::data;
using kv::test::TempFolder;

namespace {

struct Customer {
    int code;
    const char16_t* furi;
};

// Readings whose CP932 byte order differs from the order of their UTF-8
// bytes: full-width letters (0x82..) sort before kana yet encode after
// kanji, the long vowel mark (0x815B) before every katakana, half-width kana
// (0xA1..0xDF) before the second level of kanji (0xE0..).
const Customer kCustomers[] = {
    {1, u"ｻﾄｳ"}, {2, u"アーク"}, {3, u"アイ"}, {4, u"ＡＢＣｼｮｳｶｲ"},
    {5, u"あおき"}, {6, u"ABC"}, {7, u"漾"},
};

const QString kFrom = QStringLiteral("ｻ");

struct ShellRun {
    bool finished = false;
    int exitCode = -1;
    QStringList lines;
    QString err;
};

ShellRun runShell(const QString& databaseFile, const QByteArray& script)
{
    ShellRun run;
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        ADD_FAILURE() << "the sqlite3 shell is not installed (scripts/deps installs it)";
        return run;
    }
    QProcess process;
    process.start(shell, {QStringLiteral("-batch"), QStringLiteral("-bail"), databaseFile});
    process.write(script);
    process.closeWriteChannel();
    run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The extension named as a user names it, without ".so": the shell adds it.
QByteArray loadCommand()
{
    QString path = QStringLiteral(KV_SQLITE_CP932_EXTENSION);
    if (path.endsWith(QLatin1String(".so")))
        path.chop(3);
    return ".load '" + path.toUtf8() + "'\n";
}

QStringList codesOf(const std::vector<Customer>& customers)
{
    QStringList codes;
    for (const Customer& c : customers)
        codes << QString::number(c.code);
    return codes;
}

class SqliteShellExtension : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(DataFolderCreator::create(m_folder.path(), &error)) << error.toStdString();
        DataStore store;
        ASSERT_TRUE(store.open(m_folder.path())) << store.lastError().description.toStdString();
        CDaoKokSet set(store.connectionFor(CDaoKokSet::tableDef()));
        ASSERT_TRUE(set.Open());
        for (const Customer& c : kCustomers) {
            ASSERT_TRUE(set.AddNew());
            set.m_KokCode = c.code;
            set.m_Furi = QString::fromUtf16(c.furi);
            ASSERT_TRUE(set.Update()) << set.lastError().description.toStdString();
        }
    }

    // Customer codes in the program's own order of readings, from filter on.
    QStringList engineCodes(const QString& filter = QString())
    {
        DataStore store;
        EXPECT_TRUE(store.open(m_folder.path()));
        CDaoKokSet set(store.connectionFor(CDaoKokSet::tableDef()));
        set.SetFilter(filter);
        set.SetSort(QStringLiteral("Furi"));
        EXPECT_TRUE(set.Open()) << set.lastError().description.toStdString();
        QStringList codes;
        for (; !set.IsEOF(); set.MoveNext())
            codes << QString::number(set.m_KokCode);
        return codes;
    }

    QString customerFile() const
    {
        return m_folder.file(QString::fromLatin1(CDaoKokSet::tableDef().fileName));
    }

    TempFolder m_folder;
};

TEST_F(SqliteShellExtension, ShellSortsComparesAndChecksIndexesAsTheProgramDoes)
{
    const QStringList sorted = engineCodes();
    const QStringList fromSa = engineCodes(QStringLiteral("Furi >= \"%1\"").arg(kFrom));
    ASSERT_EQ(sorted.size(), int(std::size(kCustomers)));

    // Plain byte order of the UTF-8 text would give other answers, so equal
    // answers below come from the collation.
    std::vector<Customer> byUtf8(std::begin(kCustomers), std::end(kCustomers));
    std::sort(byUtf8.begin(), byUtf8.end(), [](const Customer& a, const Customer& b) {
        return QString::fromUtf16(a.furi).toUtf8() < QString::fromUtf16(b.furi).toUtf8();
    });
    std::vector<Customer> fromSaByUtf8;
    std::copy_if(byUtf8.begin(), byUtf8.end(), std::back_inserter(fromSaByUtf8), [](const Customer& c) {
        return QString::fromUtf16(c.furi).toUtf8() >= kFrom.toUtf8();
    });
    ASSERT_NE(sorted, codesOf(byUtf8));
    ASSERT_NE(fromSa, codesOf(fromSaByUtf8));

    // Each query twice: walking the program's index, and sorting and
    // comparing in the shell itself.
    const QByteArray where = "WHERE Furi >= '" + kFrom.toUtf8() + "' ";
    const QByteArray queries[] = {
        "SELECT KokCode FROM Kok ORDER BY Furi;",
        "SELECT KokCode FROM Kok NOT INDEXED ORDER BY Furi;",
        "SELECT KokCode FROM Kok " + where + "ORDER BY Furi;",
        "SELECT KokCode FROM Kok NOT INDEXED " + where + "ORDER BY Furi;",
        // The program built the index on readings: it checks out under the
        // shell's collation only when both compare alike.
        "PRAGMA integrity_check;",
    };
    const QStringList expected[] = {sorted, sorted, fromSa, fromSa, {QStringLiteral("ok")}};
    QByteArray script = loadCommand();
    for (const QByteArray& query : queries)
        script += query + "\nSELECT '--';\n";
    const ShellRun run = runShell(customerFile(), script);
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList answers = run.lines.join(u'\n').split(QStringLiteral("--"));
    ASSERT_EQ(answers.size(), int(std::size(queries)) + 1) << run.lines.join(u' ').toStdString();
    for (size_t i = 0; i < std::size(queries); ++i) {
        EXPECT_EQ(answers[qsizetype(i)].split(u'\n', Qt::SkipEmptyParts).join(u' ').toStdString(),
                  expected[i].join(u' ').toStdString())
            << queries[i].constData();
    }
}

TEST_F(SqliteShellExtension, WithoutItTheShellCannotSortOrCompareReadings)
{
    const QByteArray queries[] = {
        "SELECT KokCode FROM Kok ORDER BY Furi;\n",
        "SELECT KokCode FROM Kok WHERE Furi >= '" + kFrom.toUtf8() + "';\n",
    };
    for (const QByteArray& query : queries) {
        SCOPED_TRACE(query.constData());
        const ShellRun run = runShell(customerFile(), query);
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(QStringLiteral("no such collation sequence: CP932")))
            << run.err.toStdString();
        EXPECT_TRUE(run.lines.isEmpty());
    }
}

} // namespace
