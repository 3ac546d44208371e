#include "common/Cp932.h"
#include "common/KVCommon.h"
#include "common/LogEvent.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;

namespace {

QString logName(const QDate& date)
{
    return "Log/" + date.toString("yyyy.MM.dd") + " Log.txt";
}

// The day's log; a call spanning midnight may have written the next day's.
QByteArray readLog(const TempFolder& dir, const QDate& day)
{
    QByteArray bytes = dir.read(logName(day));
    return bytes.isEmpty() ? dir.read(logName(day.addDays(1))) : bytes;
}

class LogReceiver : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != KvLogEventType)
            return QObject::event(event);
        const QMutexLocker lock(&mutex);
        lines.append(static_cast<kv::LogEvent*>(event)->line());
        return true;
    }
    QStringList received()
    {
        const QMutexLocker lock(&mutex);
        return lines;
    }
    QMutex mutex;
    QStringList lines;
};

} // namespace

TEST(AddLog, AppendsTimedCp932LinesAndEmptyLines)
{
    TempFolder dir;
    QDir().mkpath(dir.file("Log"));
    RecordingMessageGateway messages;
    const QDate today = QDate::currentDate();
    AddLog(dir.path(), QStringLiteral("車検 整備完了"), nullptr);
    AddLog(dir.path(), QString(), nullptr);
    AddLog(dir.path(), QStringLiteral("second"), nullptr);

    const QByteArray bytes = readLog(dir, today);
    const QByteArray first = kv::cp932::encode(QStringLiteral(" 車検 整備完了\r\n"));
    ASSERT_GT(bytes.size(), 8);
    static const QRegularExpression time("^\\d\\d:\\d\\d:\\d\\d$");
    EXPECT_TRUE(time.match(QString::fromLatin1(bytes.left(8))).hasMatch()) << bytes.toStdString();
    const qsizetype afterFirst = 8 + first.size();
    EXPECT_EQ(bytes.mid(8, first.size()), first);
    EXPECT_EQ(bytes.mid(afterFirst, 2), "\r\n");  // the empty message: CR LF alone
    EXPECT_TRUE(time.match(QString::fromLatin1(bytes.mid(afterFirst + 2, 8))).hasMatch());
    EXPECT_EQ(bytes.mid(afterFirst + 10), " second\r\n");
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(AddLog, TellsTheWindowTheLineWritten)
{
    TempFolder dir;
    QDir().mkpath(dir.file("Log"));
    LogReceiver window;
    AddLog(dir.path(), QStringLiteral("通知"), &window);
    AddLog(dir.path(), QString(), &window);
    ASSERT_EQ(window.lines.size(), 2);
    EXPECT_TRUE(window.lines[0].endsWith(QStringLiteral(" 通知\r\n")));
    EXPECT_EQ(window.lines[0].size(), 8 + 5);
    EXPECT_EQ(window.lines[1], "\r\n");
}

TEST(AddLog, AWindowOfAnotherThreadGetsTheLinePosted)
{
    TempFolder dir;
    QDir().mkpath(dir.file("Log"));
    QThread windowThread;
    LogReceiver window;
    window.moveToThread(&windowThread);
    windowThread.start();
    AddLog(dir.path(), QStringLiteral("elsewhere"), &window);
    QElapsedTimer clock;
    clock.start();
    while (window.received().isEmpty() && clock.elapsed() < 5000)
        QThread::msleep(10);
    windowThread.quit();
    windowThread.wait();
    ASSERT_EQ(window.received().size(), 1);
    EXPECT_TRUE(window.received().first().endsWith(" elsewhere\r\n"));
}

TEST(AddLog, AMissingLogFolderIsReportedNotCreated)
{
    TempFolder dir;
    RecordingMessageGateway messages;
    LogReceiver window;
    const QDate today = QDate::currentDate();
    AddLog(dir.path(), QStringLiteral("lost"), &window);
    EXPECT_FALSE(QDir(dir.file("Log")).exists());
    ASSERT_EQ(messages.messages().size(), 1);
    const QString expected = "不正パス のため ファイル [" + dir.file(logName(today)) + "] を開けません。";
    const QString nextDay = "不正パス のため ファイル [" + dir.file(logName(today.addDays(1))) + "] を開けません。";
    EXPECT_TRUE(messages.messages().first() == expected || messages.messages().first() == nextDay)
        << messages.messages().first().toStdString();
    EXPECT_TRUE(window.lines.isEmpty());
}

TEST(AddLog, TwoProcessesWritingAtOnceLoseNoLine)
{
    TempFolder dir;
    QDir().mkpath(dir.file("Log"));
    const QDate today = QDate::currentDate();
    constexpr int kLines = 12;
    QProcess a, b;
    a.start(kv::test::peerProgram(), {"log", "write", dir.path(), "A", QString::number(kLines)});
    b.start(kv::test::peerProgram(), {"log", "write", dir.path(), "B", QString::number(kLines)});
    ASSERT_TRUE(a.waitForFinished(60000));
    ASSERT_TRUE(b.waitForFinished(60000));
    ASSERT_EQ(a.exitCode(), 0);
    ASSERT_EQ(b.exitCode(), 0);

    const QStringList lines = QString::fromLatin1(readLog(dir, today)).split("\r\n");
    ASSERT_EQ(lines.size(), 2 * kLines + 1) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.last().isEmpty());
    static const QRegularExpression shape("^\\d\\d:\\d\\d:\\d\\d [AB] \\d+$");
    for (const char* tag : {"A", "B"}) {
        for (int n = 0; n < kLines; ++n) {
            const QString tail = QStringLiteral(" %1 %2").arg(QLatin1String(tag)).arg(n);
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [&](const QString& line) {
                                        return line.endsWith(tail) && shape.match(line).hasMatch();
                                    }),
                      1)
                << tail.toStdString();
        }
    }
}

TEST(AddLog, WaitsForAnotherProcessHoldingTheFileThenWrites)
{
    TempFolder dir;
    QDir().mkpath(dir.file("Log"));
    const QDate today = QDate::currentDate();
    RecordingMessageGateway messages;
    QProcess holder;
    holder.start(kv::test::peerProgram(), {"log", "hold", dir.file(logName(today)), "1000"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "locked");

    QElapsedTimer clock;
    clock.start();
    AddLog(dir.path(), QStringLiteral("after the wait"), nullptr);
    EXPECT_GE(clock.elapsed(), 700);  // it waited for the holder ...
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(readLog(dir, today).endsWith(" after the wait\r\n"));  // ... and did not drop the line
    EXPECT_TRUE(messages.messages().isEmpty());
}
