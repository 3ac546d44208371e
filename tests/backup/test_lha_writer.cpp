#include "backup/core/ArchiveUnpacker.h"
#include "backup/core/LhaWriter.h"

#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

using namespace kv::backup;
using kv::test::u;

namespace {

// The files every archive of these tests holds, by name in the archive.
std::map<QString, QByteArray> sampleFiles()
{
    QRandomGenerator random(20261210);
    std::map<QString, QByteArray> files;
    files[u("empty.txt")] = QByteArray();
    files[u("one.bin")] = QByteArray("x");

    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("%1,顧客%2,車検,%3円\r\n").arg(i).arg(i % 37).arg(i * 1100).toUtf8();
    files[u("readme.txt")] = text;

    QByteArray noise(50000, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    files[u("random.bin")] = noise;

    // Over 64 KiB: long runs, copies from the far end of the dictionary
    // and stretches of noise between them.
    QByteArray repeats;
    const QByteArray phrase = noise.left(8000);
    while (repeats.size() < 300000) {
        repeats += QByteArray(3000 + int(random.bounded(2000)), char('A' + random.bounded(26)));
        repeats += phrase;
        repeats += noise.mid(int(random.bounded(40000)), 700);
    }
    files[u("long.dat")] = repeats;

    QByteArray records;
    while (records.size() < 200000)
        records += QStringLiteral("%1\t%2\t整備\t%3\n")
                       .arg(random.bounded(100000))
                       .arg(random.bounded(1000))
                       .arg(random.generate())
                       .toUtf8();
    files[u("顧客データ.mdb")] = records;
    files[u("data/sub/ledger.csv")] = text.left(5000) + records.left(5000);
    return files;
}

class LhaWriterTest : public ::testing::Test {
protected:
    // The programs come with scripts/deps; their absence is a failure.
    static QString program(const QString& name)
    {
        const QString path = QStandardPaths::findExecutable(name);
        EXPECT_FALSE(path.isEmpty()) << name.toStdString() << " is not on PATH: run scripts/deps";
        return path;
    }

    struct Outcome {
        int exitCode = -1;
        QString output;
    };

    Outcome run(const QString& name, const QStringList& arguments)
    {
        Outcome outcome;
        const QString path = program(name);
        if (path.isEmpty())
            return outcome;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(path, arguments);
        if (!process.waitForFinished(60000))
            return outcome;
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        outcome.output = QString::fromLocal8Bit(process.readAll());
        return outcome;
    }

    bool writeArchive(const QString& path, const std::map<QString, QByteArray>& files)
    {
        QFile archive(path);
        if (!archive.open(QIODevice::ReadWrite | QIODevice::Truncate))
            return false;
        LhaWriter writer(archive);
        const QDateTime modified = QDateTime::fromSecsSinceEpoch(1765000000, QTimeZone::utc());
        for (const auto& [name, bytes] : files) {
            QBuffer data;
            data.setData(bytes);
            data.open(QIODevice::ReadOnly);
            if (!writer.addFile(name, data, modified)) {
                ADD_FAILURE() << writer.lastError().toStdString();
                return false;
            }
        }
        return writer.finish();
    }

    // Extracts the archive with bsdtar, which is told nothing of the names'
    // code page, and compares every file.
    void expectExtractsTo(const QString& archive, const std::map<QString, QByteArray>& files)
    {
        const QString target = m_folder.file(QStringLiteral("out"));
        QDir(target).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(target));
        const Outcome extracted = run(QStringLiteral("bsdtar"),
                                      {QStringLiteral("-x"), QStringLiteral("-f"), archive,
                                       QStringLiteral("-C"), target});
        ASSERT_EQ(extracted.exitCode, 0) << extracted.output.toStdString();
        expectFolderHolds(target, files);
    }

    static void expectFolderHolds(const QString& folder, const std::map<QString, QByteArray>& files)
    {
        std::map<QString, QByteArray> found;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            found[QDir(folder).relativeFilePath(file.fileName())] = file.readAll();
        }
        EXPECT_TRUE(found == files) << namesOf(found) << " instead of " << namesOf(files);
    }

    static std::string namesOf(const std::map<QString, QByteArray>& files)
    {
        QStringList names;
        for (const auto& entry : files)
            names.append(entry.first);
        return names.join(QLatin1Char('|')).toStdString();
    }

    kv::test::TempFolder m_folder;
};

TEST_F(LhaWriterTest, ArchivesThatTheLhaProgramTestsAndBsdtarExtracts)
{
    const auto files = sampleFiles();
    const QString archive = m_folder.file(QStringLiteral("backup.lzh"));
    ASSERT_TRUE(writeArchive(archive, files));

    const Outcome tested = run(QStringLiteral("lha"), {QStringLiteral("-t"), archive});
    EXPECT_EQ(tested.exitCode, 0) << tested.output.toStdString();
    EXPECT_EQ(tested.output.count(QStringLiteral("- Tested")), int(files.size())) << tested.output.toStdString();

    const Outcome listed = run(QStringLiteral("lha"), {QStringLiteral("-v"), archive});
    ASSERT_EQ(listed.exitCode, 0) << listed.output.toStdString();
    // Compressible data is compressed; noise and tiny files are stored.
    for (const QString& line : listed.output.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("readme.txt")) || line.contains(QStringLiteral("long.dat"))) {
            EXPECT_TRUE(line.contains(QStringLiteral("-lh5-"))) << line.toStdString();
        }
        if (line.contains(QStringLiteral("random.bin")) || line.contains(QStringLiteral("one.bin"))) {
            EXPECT_TRUE(line.contains(QStringLiteral("-lh0-"))) << line.toStdString();
        }
    }

    expectExtractsTo(archive, files);
    qint64 total = 0;
    for (const auto& entry : files)
        total += entry.second.size();
    EXPECT_LT(QFileInfo(archive).size(), total * 2 / 3);
}

TEST_F(LhaWriterTest, EveryNameComesBackExactlyFromOurReaderBsdtarAndLha)
{
    // CP932 characters whose second byte is a backslash; names CP932 cannot
    // hold (é, an emoji) or cannot give back (U+2212 reads back as U+FF0D).
    const std::map<QString, QByteArray> files = {
        {u("表.txt"), "hyou"},
        {u("能.txt"), "nou"},
        {u("ソフト.txt"), "soft"},
        {u("予定/十月.txt"), "juugatsu"},
        {u("予定/申/構.txt"), "kamae"},
        {u("a\\b.txt"), "backslash"},
        {u("Photo/café.jpg"), QByteArray(3000, 'c')},
        {u("Photo/写真−1.jpg"), "minus"},
        {u("été/絵文字😀.mdb"), "emoji"},
    };
    const QString archive = m_folder.file(QStringLiteral("names.lzh"));
    {
        QFile file(archive);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        LhaWriter writer(file);
        for (const auto& [name, bytes] : files) {
            QBuffer data;
            data.setData(bytes);
            data.open(QIODevice::ReadOnly);
            ASSERT_TRUE(writer.addFile(name, data, QDateTime::currentDateTimeUtc()))
                << writer.lastError().toStdString();
        }
        ASSERT_TRUE(writer.finish());
        EXPECT_EQ(writer.utf8Names(),
                  (QStringList{u("Photo/café.jpg"), u("Photo/写真−1.jpg"), u("été/絵文字😀.mdb")}));
    }

    const QString ours = m_folder.file(QStringLiteral("ours"));
    std::atomic<bool> cancel{false};
    QString error;
    ASSERT_TRUE(ArchiveUnpacker::unpack(archive, ours, cancel, {}, &error)) << error.toStdString();
    expectFolderHolds(ours, files);

    expectExtractsTo(archive, files);

    // lha takes the names' bytes as they are: the UTF-8 ones are the names.
    const QString byLha = m_folder.file(QStringLiteral("lha"));
    ASSERT_TRUE(QDir().mkpath(byLha));
    const Outcome extracted = run(QStringLiteral("lha"), {QStringLiteral("-xw=") + byLha, archive});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output.toStdString();
    for (const QString& name : {u("Photo/café.jpg"), u("Photo/写真−1.jpg"), u("été/絵文字😀.mdb")}) {
        QFile file(byLha + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(file.readAll(), files.at(name));
    }
    // 表 in CP932, one name, no folder.
    std::ifstream cp932((QFile::encodeName(byLha) + "/\x95\x5C.txt").toStdString());
    std::string content;
    std::getline(cp932, content);
    EXPECT_EQ(content, "hyou");
}

// A readable, seekable device claiming more than the header can record.
class HugeDevice : public QIODevice {
public:
    qint64 size() const override { return qint64(5) << 30; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        std::fill(data, data + maxSize, '\0');
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST_F(LhaWriterTest, RefusesAFileTooLargeAndKeepsTheArchiveWhole)
{
    const QString path = m_folder.file(QStringLiteral("refused.lzh"));
    QFile archive(path);
    ASSERT_TRUE(archive.open(QIODevice::ReadWrite | QIODevice::Truncate));
    LhaWriter writer(archive);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const std::map<QString, QByteArray> files = {{u("a.txt"), QByteArray(3000, 'a')},
                                                 {u("b.txt"), QByteArray("bbb")}};

    QBuffer first;
    first.setData(files.at(u("a.txt")));
    first.open(QIODevice::ReadOnly);
    ASSERT_TRUE(writer.addFile(u("a.txt"), first, now));

    HugeDevice huge;
    huge.open(QIODevice::ReadOnly);
    EXPECT_FALSE(writer.addFile(u("huge.dat"), huge, now));
    EXPECT_TRUE(writer.lastError().contains(QStringLiteral("大きすぎ"))) << writer.lastError().toStdString();

    QBuffer badName;
    badName.open(QIODevice::ReadOnly);
    EXPECT_FALSE(writer.addFile(u("../b.txt"), badName, now));

    QBuffer second;
    second.setData(files.at(u("b.txt")));
    second.open(QIODevice::ReadOnly);
    ASSERT_TRUE(writer.addFile(u("b.txt"), second, now));
    ASSERT_TRUE(writer.finish());
    EXPECT_FALSE(writer.addFile(u("c.txt"), second, now));
    archive.close();

    const Outcome tested = run(QStringLiteral("lha"), {QStringLiteral("-t"), path});
    EXPECT_EQ(tested.exitCode, 0) << tested.output.toStdString();
    expectExtractsTo(path, files);
}

// Hands out its bytes once, like a pipe: nothing can be read again.
class PipeDevice : public QIODevice {
public:
    explicit PipeDevice(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min(maxSize, qint64(m_bytes.size()) - m_at);
        std::copy_n(m_bytes.constData() + m_at, count, data);
        m_at += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

TEST_F(LhaWriterTest, StreamsFromADeviceThatCannotRewind)
{
    // Noise cannot be stored instead once it is read, so it stays -lh5-.
    const auto samples = sampleFiles();
    const std::map<QString, QByteArray> files = {{u("noise.bin"), samples.at(u("random.bin"))},
                                                 {u("long.dat"), samples.at(u("long.dat"))}};
    const QString path = m_folder.file(QStringLiteral("piped.lzh"));
    QFile archive(path);
    ASSERT_TRUE(archive.open(QIODevice::ReadWrite | QIODevice::Truncate));
    LhaWriter writer(archive);
    for (const auto& [name, bytes] : files) {
        PipeDevice pipe(bytes);
        pipe.open(QIODevice::ReadOnly);
        ASSERT_TRUE(writer.addFile(name, pipe, QDateTime::currentDateTimeUtc())) << writer.lastError().toStdString();
    }
    ASSERT_TRUE(writer.finish());
    archive.close();

    const Outcome listed = run(QStringLiteral("lha"), {QStringLiteral("-v"), path});
    EXPECT_EQ(listed.output.count(QStringLiteral("-lh5-")), 2) << listed.output.toStdString();
    const Outcome tested = run(QStringLiteral("lha"), {QStringLiteral("-t"), path});
    EXPECT_EQ(tested.exitCode, 0) << tested.output.toStdString();
    expectExtractsTo(path, files);
}

TEST_F(LhaWriterTest, RecordsTheModificationTime)
{
    const QString path = m_folder.file(QStringLiteral("time.lzh"));
    QFile archive(path);
    ASSERT_TRUE(archive.open(QIODevice::ReadWrite | QIODevice::Truncate));
    LhaWriter writer(archive);
    const QDateTime modified(QDate(2024, 3, 15), QTime(9, 30, 12), QTimeZone::utc());
    QBuffer data;
    data.setData("slip");
    data.open(QIODevice::ReadOnly);
    ASSERT_TRUE(writer.addFile(u("slip.txt"), data, modified));
    ASSERT_TRUE(writer.finish());
    archive.close();

    expectExtractsTo(path, {{u("slip.txt"), QByteArray("slip")}});
    EXPECT_EQ(QFileInfo(m_folder.file(QStringLiteral("out/slip.txt"))).lastModified().toUTC(), modified);
}

} // namespace
