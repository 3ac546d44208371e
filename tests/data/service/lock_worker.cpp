// One computer of the contention runs: works on a shared data folder under
// its own computer name and prints what it got, one line per result.
//
//   lock_worker claims  FOLDER COMPUTER COUNT   claim/release one code COUNT times
//   lock_worker slips   FOLDER COMPUTER COUNT   take COUNT slip numbers
//   lock_worker counter FOLDER COMPUTER COUNT   increment the customer counter
//
// Every run waits for FOLDER/go before it starts, so that both computers
// really run at once.

#include "data/service/LockTables.h"
#include "data/service/RecordCounters.h"
#include "data/service/ShareLockAction.h"
#include "data/service/SlipNumberCounter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {

constexpr kv::RetryTiming kTiming{1, 60000};
namespace Action = kv::data::ShareLockAction;

bool waitForGo(const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(folder + "/go")) {
        if (clock.elapsed() > 30000)
            return false;
        QThread::usleep(200);
    }
    return true;
}

// Claim and release code 5 of the customers COUNT times. Inside each hold a
// marker file is created exclusively: a second holder at the same moment
// finds it there.
int runClaims(const QString& folder, const QString& computer, int count)
{
    kv::data::LockTables locks(folder, kTiming);
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
    kv::data::SlipNumberCounter slips(folder, kTiming);
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
    kv::data::RecordCounters counters(folder, kTiming);
    for (int i = 0; i < count; ++i) {
        if (counters.RecordCounter("010.mdb", kv::data::RecordCounters::Increment) < 0)
            return 3;
        // Spread the run out, so that both computers are at it at the same time
        // rather than one after the other within a time slice.
        QThread::usleep(50);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 1;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString computer = QString::fromLocal8Bit(argv[3]);
    const int count = QString::fromLocal8Bit(argv[4]).toInt();
    if (!waitForGo(folder))
        return 4;
    int rc = 1;
    if (mode == "claims")
        rc = runClaims(folder, computer, count);
    else if (mode == "slips")
        rc = runSlips(folder, count);
    else if (mode == "counter")
        rc = runCounter(folder, count);
    std::fflush(stdout);
    return rc;
}
