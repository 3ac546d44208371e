// Photos of slip lines: stored under the slip's and row's names when the
// slip is recorded, never lost by a re-recording or a failed one.

#include "slips/core/SlipPhotos.h"

#include "SlipTestShop.h"
#include "slips/core/SlipRecorder.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

using namespace kv::test;
using namespace kv::slips;

namespace {

class SlipPhotosTest : public SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
        QString message;
        ASSERT_TRUE(photos().clearWork(&message)) << message.toStdString();
    }

    SlipPhotos photos() const
    {
        return SlipPhotos(doc->photoFolder(),
                          SlipPhotos::workFolderFor(doc->temporaryFolder()));
    }

    // An image file as a camera leaves it, with its content.
    QString picture(const QString& name)
    {
        const QString path = camera.path() + '/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
        return path;
    }

    // An estimate (no sale question) with a text line in each row given;
    // rows with a picture list get those pictures attached.
    SlipRecording estimate(int number, SlipMode mode,
                           const std::vector<std::pair<int, QStringList>>& rows)
    {
        SlipRecording slip;
        slip.mode = mode;
        slip.customerCode = 1;
        slip.header.m_DenNo = number;
        slip.header.m_CarCode = 10;
        slip.header.m_SeiKokCode = 1;
        slip.header.m_DenKind = Estimate;
        slip.photoWorkFolder = photos().workFolder();
        for (const auto& [row, pictures] : rows) {
            kv::data::SyaJnlRow line;
            line.m_LineNo = row;
            line.m_Meisai = u("板金") + QString::number(row);
            QStringList files;
            for (const QString& name : pictures)
                files << picture(name);
            QString message;
            EXPECT_TRUE(photos().attach(files, &line.m_Photo, &message)) << message.toStdString();
            slip.lines.push_back(line);
        }
        return slip;
    }

    QStringList stored() const
    {
        return QDir(doc->photoFolder()).entryList(QDir::Files, QDir::Name);
    }
    QString column(int slip, int row)
    {
        return DocumentTestFolder::text(
            *doc, QStringLiteral("SELECT Photo FROM f002.SyaJnl WHERE DenNo = %1 AND LineNo = %2")
                      .arg(slip)
                      .arg(row)
                      .toUtf8());
    }
    QByteArray content(const QString& name) const
    {
        QFile file(doc->photoFolder() + '/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored lines of a slip as a modify window loads them.
    std::vector<kv::data::SyaJnlRow> reloaded(const SlipRecording& recorded)
    {
        std::vector<kv::data::SyaJnlRow> lines;
        for (const auto& line : recorded.lines) {
            kv::data::SyaJnlRow copy = line;
            copy.m_Photo = column(recorded.header.m_DenNo, line.m_LineNo);
            lines.push_back(copy);
        }
        QString message;
        EXPECT_TRUE(photos().clearWork(&message));
        EXPECT_TRUE(photos().loadInto(lines, &message)) << message.toStdString();
        return lines;
    }

    TempFolder camera;
};

TEST_F(SlipPhotosTest, PhotosAreStoredUnderTheSlipAndRowAndNamedByTheirLines)
{
    const SlipRecording slip =
        estimate(7, SlipMode::New, {{0, {"front.JPG", "side.png"}}, {3, {"rear.jpg"}}, {4, {}}});
    const SlipRecorder::Outcome outcome = SlipRecorder(*doc).record(slip);
    ASSERT_TRUE(outcome.recorded) << outcome.message.toStdString();

    // Work copies are numbered within the open slip ("p2.jpg" for the rear).
    EXPECT_EQ(stored(), QStringList({"00000701_p1.jpg", "00000701_p2.png", "00000704_p2.jpg"}));
    EXPECT_EQ(column(7, 0), "00000701_p1.jpg\r\n00000701_p2.png\r\n");
    EXPECT_EQ(column(7, 3), "00000704_p2.jpg\r\n");
    EXPECT_EQ(column(7, 4), "");
    EXPECT_EQ(content("00000701_p2.png"), "side.png");
    EXPECT_EQ(content("00000704_p2.jpg"), "rear.jpg");
}

TEST_F(SlipPhotosTest, ARowMovedByReRecordingTakesItsPhotosAlongAndOnlyUnnamedFilesGo)
{
    SlipRecording slip = estimate(7, SlipMode::New, {{0, {"front.jpg"}}, {1, {"side.jpg"}}});
    ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);

    // Modified: a row inserted above both, the second line's photo taken off.
    slip.mode = SlipMode::Modify;
    slip.lines = reloaded(slip);
    slip.lines[0].m_LineNo = 1;
    slip.lines[1].m_LineNo = 2;
    slip.lines[1].m_Photo.clear();
    const SlipRecorder::Outcome outcome = SlipRecorder(*doc).record(slip);
    ASSERT_TRUE(outcome.recorded) << outcome.message.toStdString();

    EXPECT_EQ(stored(), QStringList{"00000702_p1.jpg"});
    EXPECT_EQ(content("00000702_p1.jpg"), "front.jpg");
    EXPECT_EQ(column(7, 1), "00000702_p1.jpg\r\n");

    // Recorded again unchanged, the same files stay.
    slip.lines = reloaded(slip);
    ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);
    EXPECT_EQ(stored(), QStringList{"00000702_p1.jpg"});
    EXPECT_EQ(content("00000702_p1.jpg"), "front.jpg");
}

TEST_F(SlipPhotosTest, ANewPhotoWhoseNameIsTakenNeverOverwritesTheStoredOneBeforeCommit)
{
    SlipRecording slip = estimate(7, SlipMode::New, {{0, {"old.jpg"}}});
    ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);

    // A fresh window's first photo in row 1 wants the stored photo's name.
    QString message;
    ASSERT_TRUE(photos().clearWork(&message));
    SlipRecording changed = estimate(7, SlipMode::Modify, {{0, {"new.jpg"}}});
    DocumentTestFolder::sql(*doc, "UPDATE f003.Syahead SET DenNo = 99 WHERE DenNo = 7");
    EXPECT_FALSE(SlipRecorder(*doc).record(changed).recorded); // removed elsewhere meanwhile
    EXPECT_EQ(stored(), QStringList{"00000701_p1.jpg"});
    EXPECT_EQ(content("00000701_p1.jpg"), "old.jpg");

    DocumentTestFolder::sql(*doc, "UPDATE f003.Syahead SET DenNo = 7 WHERE DenNo = 99");
    const SlipRecorder::Outcome outcome = SlipRecorder(*doc).record(changed);
    ASSERT_TRUE(outcome.recorded) << outcome.message.toStdString();
    EXPECT_EQ(stored(), QStringList{"00000701_p1-2.jpg"});
    EXPECT_EQ(content("00000701_p1-2.jpg"), "new.jpg");
}

TEST_F(SlipPhotosTest, AFailedRecordingLeavesNeitherRowsNorFiles)
{
    SlipRecording first = estimate(7, SlipMode::New, {{0, {"front.jpg"}}});
    ASSERT_TRUE(SlipRecorder(*doc).record(first).recorded);

    // The same number once more as a new slip: refused inside the unit.
    SlipRecording twin = estimate(7, SlipMode::New, {{0, {"other.jpg"}}, {2, {"more.jpg"}}});
    EXPECT_FALSE(SlipRecorder(*doc).record(twin).recorded);
    EXPECT_EQ(stored(), QStringList{"00000701_p1.jpg"});
    EXPECT_EQ(content("00000701_p1.jpg"), "front.jpg");

    // A work copy gone before recording: nothing recorded, nothing left.
    SlipRecording lost = estimate(8, SlipMode::New, {{0, {"a.jpg"}}, {1, {"b.jpg"}}});
    ASSERT_TRUE(QFile::remove(photos().workPath(SlipPhotos::namesOf(lost.lines[1].m_Photo).at(0))));
    const SlipRecorder::Outcome outcome = SlipRecorder(*doc).record(lost);
    EXPECT_FALSE(outcome.recorded);
    EXPECT_TRUE(outcome.message.startsWith(u("ファイルのコピーに失敗しました！"))) << outcome.message.toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 8"), 0);
    EXPECT_EQ(stored(), QStringList{"00000701_p1.jpg"});
}

TEST_F(SlipPhotosTest, ATransferCopiesThePhotosUnderTheNewNumberAndKeepsTheOld)
{
    SlipRecording slip = estimate(7, SlipMode::New, {{2, {"front.jpg"}}});
    ASSERT_TRUE(SlipRecorder(*doc).record(slip).recorded);

    SlipRecording transfer = slip;
    transfer.lines = reloaded(slip);
    transfer.mode = SlipMode::Transfer;
    transfer.header.m_DenNo = 70;
    ASSERT_TRUE(SlipRecorder(*doc).record(transfer).recorded);
    EXPECT_EQ(stored(), QStringList({"00000703_p1.jpg", "00007003_p1.jpg"}));
    EXPECT_EQ(column(70, 2), "00007003_p1.jpg\r\n");

    qint64 bytes = 0;
    ASSERT_TRUE(SlipPhotos::storedSize(doc->photoFolder(), 7, &bytes));
    EXPECT_EQ(bytes, qint64(QByteArray("front.jpg").size()));
}

TEST_F(SlipPhotosTest, LoadingDropsNamesOfMissingFilesAndRefusesPathsOutOfTheFolder)
{
    std::vector<kv::data::SyaJnlRow> lines(1);
    QFile(doc->photoFolder() + "/00000501_a.jpg").open(QIODevice::WriteOnly);
    lines[0].m_Photo = "00000501_a.jpg\r\n00000501_gone.jpg\r\n../001.mdb\r\n";
    QString message;
    ASSERT_TRUE(photos().loadInto(lines, &message));
    EXPECT_EQ(lines[0].m_Photo, "00000501_a.jpg\r\n");
    EXPECT_TRUE(QFile::exists(photos().workPath("00000501_a.jpg")));
}

} // namespace
