// The real program with a simulated adapter on a pseudo-terminal named in
// its installation file: a call from a customer's number is in the call
// information within a second or two of the notice.
#include "AdapterSimulator.h"

#include "data/settings/CallInfoFile.h"
#include "data/settings/CallerIdSettings.h"
#include "support/CustomerBuilder.h"
#include "support/ProgramInstallation.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
        QThread::msleep(20);
    return condition();
}

} // namespace

TEST(CallerIdProgram, ACallFromACustomersNumberIsKeptByTheRunningProgram)
{
    ASSERT_TRUE(QFileInfo(kv::test::programPath()).isExecutable());
    tlx::test::AdapterSimulator adapter;
    const kv::test::Installation installation(
        QStringLiteral("[Serial]\nCOM1=%1\n").arg(QString::fromStdString(adapter.devicePath())));
    const kv::test::TempFolder& home = installation.home;
    kv::data::CallerIdSettings callerId;
    callerId.port = 1;
    ASSERT_TRUE(home.write(QStringLiteral("data/017.dat"), callerId.toBytes()));
    ASSERT_TRUE(kv::test::CustomerBuilder(5)
                    .name(QStringLiteral("葛飾 太郎"))
                    .owner(QStringLiteral("葛飾 太郎"))
                    .phone(QStringLiteral("03-3611-9879"))
                    .insertInto(installation.data));
    QDir().mkpath(home.path() + QStringLiteral("/config/Kelvane"));
    home.write(QStringLiteral("config/Kelvane/Sabion.conf"), "[CtiInfo]\nDspReceiveInfo=1\n");

    QProcess sabion;
    installation.prepare(sabion);
    sabion.start();
    ASSERT_TRUE(sabion.waitForStarted());

    // Started: the adapter's notices were turned on.
    ASSERT_TRUE(waitFor(
        [&] {
            const std::vector<std::string> commands = adapter.commands();
            return std::find(commands.begin(), commands.end(), "INFO 0") != commands.end();
        },
        30000))
        << sabion.readAllStandardError().toStdString();
    QThread::msleep(300); // the main window comes up after the document

    QElapsedTimer sinceNotice;
    adapter.sendLine("INFO 0336119879 12-09 10:30/C");
    sinceNotice.start();
    const auto kept = [&] {
        const kv::data::CallInfoFile calls =
            kv::data::CallInfoFile::fromBytes(home.read(QStringLiteral("data/018.dat")));
        return calls.entries.back().kokCode == 5;
    };
    EXPECT_TRUE(waitFor(kept, 5000)) << sabion.readAllStandardError().toStdString();
    // The watch reads the line at its next one-second tick.
    EXPECT_LT(sinceNotice.elapsed(), 2000);
    EXPECT_EQ(sabion.state(), QProcess::Running);

    sabion.kill();
    sabion.waitForFinished(5000);
}
