// One computer of the contention runs: works on a shared data folder under
// its own computer name and prints what it got, one line per result.
//
//   contention claims  FOLDER COMPUTER COUNT   claim/release one code COUNT times
//   contention slips   FOLDER COMPUTER COUNT   take COUNT slip numbers
//   contention counter FOLDER COMPUTER COUNT   increment the customer counter
//
// Every run waits for FOLDER/go before it starts, so that both computers
// really run at once.

#include "PeerCommands.h"

#include "data/service/LockTables.h"
#include "data/service/RecordCounters.h"
#include "data/service/ShareLockAction.h"
#include "data/service/SlipNumberCounter.h"

#include <QFile>
#include <QThread>

#include <cstdio>

namespace kv::test::peer {

namespace {

constexpr RetryTiming kTiming{1, 60000};
namespace Action = data::ShareLockAction;

// Claim and release code 5 of the customers COUNT times. Inside each hold a
// marker file is created exclusively: a second holder at the same moment
// finds it there.
int runClaims(const QString& folder, const QString& computer, int count)
{
    data::LockTables locks(folder, kTiming);
    if (!locks.ShareLock("010.mdb", computer, 0, Action::Join))
        return 2;
    const QString marker = folder + "/inside";
    int refused = 0;
    int overlaps = 0;
    for (int i = 0; i < count; ++i) {
        while (!locks.ShareLock("010.mdb", computer, 5, Action::Claim))
            ++refused;
        QFile inside(marker);
        if (!inside.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            ++overlaps;
        QThread::usleep(100);
        if (inside.isOpen()) {
            inside.close();
            inside.remove();
        }
        if (!locks.ShareLock("010.mdb", computer, 0, Action::Release))
            return 3;
    }
    std::printf("overlaps %d\nrefused %d\n", overlaps, refused);
    return 0;
}

int runSlips(const QString& folder, int count)
{
    data::SlipNumberCounter slips(folder, kTiming);
    for (int i = 0; i < count; ++i) {
        // The search on the slip table runs while the counter is held.
        const int number = slips.NextSlipNumber([](int) {
            QThread::usleep(50);
            return false;
        });
        if (number == 0)
            return 3;
        std::printf("%d\n", number);
    }
    return 0;
}

int runCounter(const QString& folder, int count)
{
    data::RecordCounters counters(folder, kTiming);
    for (int i = 0; i < count; ++i) {
        if (counters.RecordCounter("010.mdb", data::RecordCounters::Increment) < 0)
            return 3;
        // Spread the run out, so that both computers are at it at the same time
        // rather than one after the other within a time slice.
        QThread::usleep(50);
    }
    return 0;
}

} // namespace

int runContention(const QStringList& args)
{
    if (args.size() != 4)
        return 1;
    const QString& mode = args[0];
    const QString& folder = args[1];
    const QString& computer = args[2];
    const int count = args[3].toInt();
    if (!waitForFile(folder + "/go", 30000))
        return 4;
    int rc = 1;
    if (mode == u"claims")
        rc = runClaims(folder, computer, count);
    else if (mode == u"slips")
        rc = runSlips(folder, count);
    else if (mode == u"counter")
        rc = runCounter(folder, count);
    std::fflush(stdout);
    return rc;
}

} // namespace kv::test::peer
