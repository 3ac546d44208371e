#include "common/FileNamePattern.h"
#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;

namespace {

void makeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

bool exists(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

// A tree with files, a sub-tree, a read-only file and links pointing out of
// the tree; `outside` holds the links' targets.
struct Tree {
    TempFolder root;
    TempFolder outside;

    Tree()
    {
        root.write("a.txt", "aaa");
        root.write("b.dat", "bbbbb");
        root.write("sub/c.txt", "cc");
        root.write("sub/deeper/d.bin", "dddd");
        outside.write("target/precious.txt", "keep");
        outside.write("lone.txt", "keep too");
        QFile::link(outside.file("target"), root.file("folderlink"));
        QFile::link(outside.file("lone.txt"), root.file("filelink.txt"));
    }
    QString pattern(const QString& name) const { return root.path() + "/" + name; }
};

} // namespace

TEST(FileNamePattern, MatchesLikeWindows)
{
    struct Row {
        const char* pattern;
        const char* name;
        bool matches;
    } rows[] = {
        {"*.*", "abc", true},        {"*.*", "a.b.c", true},      {"*.*", ".hidden", true},
        {"*", "any.thing", true},    {"*.jpg", "PHOTO.JPG", true}, {"*.jpg", "a.jpeg", false},
        {"*.jpg", "a.jpg.bak", false}, {"a?c.txt", "abc.txt", true}, {"a?c.txt", "ac.txt", false},
        {"x*.*", "x", true},         {"x*.*", "y.txt", false},    {"a.b", "aXb", false},
        {"[a]+.txt", "[a]+.txt", true}, {"[a]+.txt", "a.txt", false}, {"123*", "1234.jpg", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(kv::FileNamePattern(QString::fromUtf8(row.pattern)).matches(QString::fromUtf8(row.name)),
                  row.matches)
            << row.pattern << " / " << row.name;
    }
}

TEST(FileNamePattern, SplitsAtTheLastSlash)
{
    QString folder, name;
    ASSERT_TRUE(kv::FileNamePattern::split("/data/Temp/*.*", &folder, &name));
    EXPECT_EQ(folder, "/data/Temp");
    EXPECT_EQ(name, "*.*");
    ASSERT_TRUE(kv::FileNamePattern::split("/x.dat", &folder, &name));
    EXPECT_EQ(folder, "/");
    EXPECT_EQ(name, "x.dat");
    ASSERT_TRUE(kv::FileNamePattern::split("/data/", &folder, &name));
    EXPECT_EQ(name, "");
    EXPECT_FALSE(kv::FileNamePattern::split("*.*", &folder, &name));
}

TEST(CopyFile2, CopiesMatchingFilesButNoFolders)
{
    Tree tree;
    TempFolder to;
    const QString before = QDir::currentPath();
    EXPECT_EQ(CopyFile2(tree.pattern("*.txt"), to.path() + "/*.*", 1), 1);
    EXPECT_EQ(to.read("a.txt"), "aaa");
    EXPECT_EQ(to.read("filelink.txt"), "keep too");  // a link's content, like a copy of the file
    EXPECT_FALSE(exists(to.file("b.dat")));
    EXPECT_EQ(CopyFile2(tree.pattern("*.*"), to.path() + "/*.*", 0), 1);
    EXPECT_EQ(to.read("b.dat"), "bbbbb");
    EXPECT_FALSE(exists(to.file("sub")));
    EXPECT_FALSE(exists(to.file("folderlink")));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(CopyFile2, RefusesBadPatternsAndCopiesNothing)
{
    Tree tree;
    TempFolder to;
    const QString before = QDir::currentPath();
    const QString refused[][2] = {
        {tree.pattern("*.*"), to.path() + "/*.txt"},
        {tree.pattern("*.*"), to.path() + "/*"},
        {tree.pattern(""), to.path() + "/*.*"},
        {"a.txt", to.path() + "/*.*"},
        {tree.pattern("*.*"), "*.*"},
        {tree.root.path() + "/missing/*.*", to.path() + "/*.*"},
    };
    for (const auto& row : refused) {
        EXPECT_EQ(CopyFile2(row[0], row[1], 0), 0) << row[0].toStdString() << " -> "
                                                   << row[1].toStdString();
    }
    EXPECT_TRUE(QDir(to.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(CopyFile2, FailIfExistsStopsAndKeepsTheExistingFile)
{
    TempFolder from, to;
    from.write("1.jpg", "new");
    to.write("1.jpg", "old");
    EXPECT_EQ(CopyFile2(from.path() + "/*.jpg", to.path() + "/*.*", 1), 0);
    EXPECT_EQ(to.read("1.jpg"), "old");
    EXPECT_EQ(CopyFile2(from.path() + "/*.jpg", to.path() + "/*.*", 0), 1);
    EXPECT_EQ(to.read("1.jpg"), "new");
}

TEST(CopyFile2, KeepsAttributesAndDoesNotOverwriteReadOnlyFiles)
{
    TempFolder from, to;
    from.write("photo.jpg", "pixels");
    makeReadOnly(from.file("photo.jpg"));
    const QDateTime stamp = QDateTime::fromString("2020-01-02T03:04:05", Qt::ISODate);
    {
        QFile f(from.file("photo.jpg"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(CopyFile2(from.path() + "/*.*", to.path() + "/*.*", 1), 1);
    EXPECT_EQ(to.read("photo.jpg"), "pixels");
    EXPECT_FALSE(QFileInfo(to.file("photo.jpg")).permissions() & QFile::WriteOwner);
    EXPECT_EQ(QFileInfo(to.file("photo.jpg")).lastModified(), stamp);

    from.write("other.jpg", "x");  // the read-only copy blocks the whole call
    EXPECT_EQ(CopyFile2(from.path() + "/*.*", to.path() + "/*.*", 0), 0);
}

TEST(DeleteFile2, WithoutRecursionDeletesFilesAndLinksOnly)
{
    Tree tree;
    tree.root.write("locked.txt", "ro");
    makeReadOnly(tree.root.file("locked.txt"));
    EXPECT_EQ(DeleteFile2(tree.pattern("*.*"), 0), 1);
    EXPECT_FALSE(exists(tree.root.file("a.txt")));
    EXPECT_FALSE(exists(tree.root.file("b.dat")));
    EXPECT_FALSE(exists(tree.root.file("filelink.txt")));
    EXPECT_FALSE(exists(tree.root.file("folderlink")));
    EXPECT_TRUE(exists(tree.root.file("locked.txt")));  // skipped silently
    EXPECT_EQ(tree.root.read("sub/c.txt"), "cc");
    EXPECT_EQ(tree.outside.read("target/precious.txt"), "keep");
    EXPECT_EQ(tree.outside.read("lone.txt"), "keep too");
}

TEST(DeleteFile2, RecursionEmptiesTheTreeButNeverLeavesIt)
{
    Tree tree;
    const QString before = QDir::currentPath();
    EXPECT_EQ(DeleteFile2(tree.pattern("*.*"), 1), 1);
    EXPECT_TRUE(QDir(tree.root.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System));
    EXPECT_TRUE(QDir(tree.root.path()).exists());
    EXPECT_EQ(tree.outside.read("target/precious.txt"), "keep");
    EXPECT_EQ(tree.outside.read("lone.txt"), "keep too");
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(DeleteFile2, AFolderThatCannotBeEmptiedFailsTheCall)
{
    Tree tree;
    makeReadOnly(tree.root.file("sub/deeper/d.bin"));
    EXPECT_EQ(DeleteFile2(tree.pattern("*.*"), 1), 0);
    EXPECT_TRUE(exists(tree.root.file("sub/deeper/d.bin")));
}

TEST(DeleteFile2, RecursesOnlyIntoMatchingFolders)
{
    Tree tree;
    tree.root.write("old.txt/inner.txt", "i");
    EXPECT_EQ(DeleteFile2(tree.pattern("*.txt"), 1), 1);
    EXPECT_FALSE(exists(tree.root.file("old.txt")));
    EXPECT_FALSE(exists(tree.root.file("a.txt")));
    EXPECT_EQ(tree.root.read("b.dat"), "bbbbb");
    EXPECT_EQ(tree.root.read("sub/c.txt"), "cc");
}

TEST(DeleteFile2, RefusesPatternsWithoutFolder)
{
    EXPECT_EQ(DeleteFile2("*.*", 1), 0);
    TempFolder dir;
    EXPECT_EQ(DeleteFile2(dir.path() + "/missing/*.*", 0), 0);
}

TEST(DeleteFiles, DeletesTheFilesOfTheFolderAndReportsTheLastError)
{
    Tree tree;
    tree.root.write("locked.txt", "ro");
    makeReadOnly(tree.root.file("locked.txt"));
    int error = 0;
    EXPECT_EQ(DeleteFiles(tree.root.path() + "/", &error), 0);
    EXPECT_EQ(error, EACCES);
    EXPECT_TRUE(exists(tree.root.file("locked.txt")));
    EXPECT_FALSE(exists(tree.root.file("a.txt")));
    EXPECT_FALSE(exists(tree.root.file("folderlink")));
    EXPECT_EQ(tree.root.read("sub/c.txt"), "cc");
    EXPECT_EQ(tree.outside.read("target/precious.txt"), "keep");

    QFile::setPermissions(tree.root.file("locked.txt"), QFile::ReadOwner | QFile::WriteOwner);
    error = 0;
    EXPECT_EQ(DeleteFiles(tree.root.path() + "/", &error), 1);
    EXPECT_FALSE(exists(tree.root.file("locked.txt")));
}

TEST(DeleteFiles, AFolderWithoutTrailingSlashIsStillThatFolder)
{
    TempFolder parent;
    parent.write("Temp/x.tmp", "x");
    parent.write("Temp-keep.txt", "must stay");
    int error = 0;
    EXPECT_EQ(DeleteFiles(parent.file("Temp"), &error), 1);
    EXPECT_FALSE(exists(parent.file("Temp/x.tmp")));
    EXPECT_EQ(parent.read("Temp-keep.txt"), "must stay");
    EXPECT_EQ(DeleteFiles("", &error), 0);
    EXPECT_EQ(DeleteFiles(parent.file("missing/"), &error), 0);
    EXPECT_EQ(error, ENOENT);
}

TEST(MoveFiles, MovesFilesReplacingAndSkipsFolders)
{
    TempFolder from, to;
    from.write("1.dat", "one");
    from.write("2.dat", "two");
    from.write("sub/3.dat", "three");
    to.write("1.dat", "stale");
    int error = 0;
    EXPECT_EQ(MoveFiles(from.path() + "/", to.path() + "/", &error), 1);
    EXPECT_EQ(to.read("1.dat"), "one");
    EXPECT_EQ(to.read("2.dat"), "two");
    EXPECT_FALSE(exists(from.file("1.dat")));
    EXPECT_EQ(from.read("sub/3.dat"), "three");
    EXPECT_FALSE(exists(to.file("sub")));
}

TEST(MoveFiles, ReadOnlyDestinationAndMissingFolderFail)
{
    TempFolder from, to;
    from.write("1.dat", "one");
    from.write("2.dat", "two");
    to.write("1.dat", "protected");
    makeReadOnly(to.file("1.dat"));
    int error = 0;
    EXPECT_EQ(MoveFiles(from.path() + "/", to.path() + "/", &error), 0);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(to.read("1.dat"), "protected");
    EXPECT_EQ(from.read("1.dat"), "one");
    EXPECT_EQ(to.read("2.dat"), "two");

    from.write("3.dat", "three");
    EXPECT_EQ(MoveFiles(from.path() + "/", to.path() + "/none/", &error), 0);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(from.read("3.dat"), "three");
}

TEST(MoveFiles, CopiesBetweenVolumes)
{
    TempFolder from;
    QTemporaryDir other(QStringLiteral("/dev/shm/kvtest-XXXXXX"));
    struct stat a {}, b {};
    if (!other.isValid() || ::stat(QFile::encodeName(from.path()).constData(), &a) != 0
        || ::stat(QFile::encodeName(other.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second volume to move to";
    from.write("big.dat", QByteArray(300000, 'z'));
    QFile::link(from.file("big.dat"), from.file("link.dat"));
    int error = 0;
    EXPECT_EQ(MoveFiles(from.path() + "/", other.path() + "/", &error), 1) << error;
    QFile moved(other.path() + "/big.dat");
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), QByteArray(300000, 'z'));
    EXPECT_TRUE(QFileInfo(other.path() + "/link.dat").isSymLink());
    EXPECT_FALSE(exists(from.file("big.dat")));
    EXPECT_FALSE(exists(from.file("link.dat")));
}

TEST(WriteDataToFile, WritesAtTheGivenPosition)
{
    using namespace kv::FileMode;
    TempFolder dir;
    RecordingMessageGateway messages;
    const QString name = dir.file("data.dat");
    EXPECT_EQ(WriteDataToFile(name, ReadWrite | Create | ShareExclusive, 0, 0, "0123456789"), 1);
    EXPECT_EQ(WriteDataToFile(name, ReadWrite | ShareExclusive, 3, 0, "abc"), 1);
    EXPECT_EQ(WriteDataToFile(name, Write | ShareDenyWrite, 0, 2, "END"), 1);
    EXPECT_EQ(WriteDataToFile(name, Write | ShareDenyWrite, -4, 2, "!"), 1);
    EXPECT_EQ(dir.read("data.dat"), "012abc678!END");
    EXPECT_EQ(WriteDataToFile(name, Write | Create, 0, 0, "new"), 1);  // Create truncates
    EXPECT_EQ(dir.read("data.dat"), "new");
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(WriteDataToFile, FailuresShowTheFileErrorText)
{
    using namespace kv::FileMode;
    TempFolder dir;
    dir.write("busy.dat", "held");
    kv::SharedFile holder;
    ASSERT_TRUE(holder.open(dir.file("busy.dat"), ReadWrite | ShareExclusive));
    struct Row {
        QString name;
        unsigned mode;
        int offset;
        const char* text;
    } rows[] = {
        {dir.file("none.dat"), Write, 0, "ファイル未定義"},
        {dir.file("no/none.dat"), Write | Create, 0, "不正パス"},
        {dir.file("busy.dat"), Write | ShareExclusive, 0, "SHARE.EXE 未ロードまたは共有領域ロック済み"},
        {dir.file("seek.dat"), Write | Create, -10, "ファイル ポインタ設定エラー"},
    };
    for (const Row& row : rows) {
        RecordingMessageGateway messages;
        EXPECT_EQ(WriteDataToFile(row.name, row.mode, row.offset, 0, "x"), 0);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.messages().first(),
                  QString::fromUtf8(row.text) + " のため ファイル [" + row.name + "] を開けません。");
    }
    EXPECT_EQ(dir.read("busy.dat"), "held");
}

TEST(GetSize, ReturnsTheSizeOrExplainsTheFailure)
{
    TempFolder dir;
    dir.write("five.dat", "12345");
    dir.write("empty.dat", "");
    RecordingMessageGateway messages;
    int flag = -1;
    EXPECT_EQ(GetSize(dir.file("five.dat"), &flag), 5);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(GetSize(dir.file("empty.dat"), &flag), 0);
    EXPECT_EQ(flag, 1);
    EXPECT_TRUE(messages.messages().isEmpty());

    EXPECT_EQ(GetSize(dir.file("none.dat"), &flag), 0);
    EXPECT_EQ(flag, 0);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages().first(),
              dir.file("none.dat") + QStringLiteral(" ファイルオープン失敗！(エラーコード %1)").arg(ENOENT));
}

TEST(GetSize, ASizeBeyondTheResultIsAFailureNotAWrongNumber)
{
    TempFolder dir;
    {
        QFile f(dir.file("huge.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (!f.resize(qint64(1) << 31))
            GTEST_SKIP() << "no sparse 2 GiB file here";
    }
    RecordingMessageGateway messages;
    int flag = -1;
    EXPECT_EQ(GetSize(dir.file("huge.dat"), &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("ファイルサイズ取得失敗！")});
}

TEST(GetSize2, AddsMatchingFilesAndWholeSubFolders)
{
    Tree tree;
    const QString before = QDir::currentPath();
    double total = -1;
    // a.txt 3 + filelink.txt (its target) 8
    EXPECT_EQ(GetSize2(tree.pattern("*.txt"), 0, &total), 1);
    EXPECT_EQ(total, 11);
    // sub-folders count whole, whatever the pattern: + c.txt 2 + d.bin 4;
    // the linked folder outside the tree is not entered.
    EXPECT_EQ(GetSize2(tree.pattern("*.txt"), 1, &total), 1);
    EXPECT_EQ(total, 17);
    EXPECT_EQ(GetSize2(tree.pattern("*.*"), 1, &total), 1);
    EXPECT_EQ(total, 22);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(GetSize2, RefusesBadPatterns)
{
    TempFolder dir;
    for (const QString& pattern : {QString(), QStringLiteral("*.*"), dir.path() + "/",
                                   dir.path() + "/missing/*.*"}) {
        double total = -1;
        EXPECT_EQ(GetSize2(pattern, 1, &total), 0) << pattern.toStdString();
        EXPECT_EQ(total, 0);
    }
}
