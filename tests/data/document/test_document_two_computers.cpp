#include "DocumentTestFolder.h"

#include "data/document/CodeOccupancy.h"
#include "support/TestPaths.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <set>

namespace {

using kv::test::DocumentTestFolder;

constexpr int kRounds = 500;

// Two computers reserve codes and take slip numbers on one data folder at
// the same moment.
TEST(TwoComputersTest, NoCodeOrSlipNumberIsHandedOutTwice)
{
    DocumentTestFolder data;
    {
        // Made once by the server, as at the shop's first start.
        auto server = data.open();
    }
    const QString worker = kv::test::peerProgram();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const char* computer : {"PC-A", "PC-B"}) {
        auto process = std::make_unique<QProcess>();
        process->start(worker, {"document", data.folder.path(), computer, QString::number(kRounds)});
        ASSERT_TRUE(process->waitForStarted()) << worker.toStdString();
        processes.push_back(std::move(process));
    }
    QElapsedTimer clock;
    clock.start();
    while (!(QFile::exists(data.folder.file("ready-PC-A")) && QFile::exists(data.folder.file("ready-PC-B")))) {
        ASSERT_LT(clock.elapsed(), 60000);
        for (auto& process : processes)
            ASSERT_EQ(process->state(), QProcess::Running) << process->readAllStandardError().toStdString();
        QThread::msleep(5);
    }
    ASSERT_TRUE(data.folder.write("go", {}));

    std::multiset<int> codes;
    std::multiset<int> slips;
    std::vector<int> codesOfA;
    for (auto& process : processes) {
        const bool first = process == processes.front();
        ASSERT_TRUE(process->waitForFinished(300000));
        ASSERT_EQ(process->exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        for (const QByteArray& line : process->readAllStandardOutput().split('\n')) {
            if (line.startsWith("code ")) {
                codes.insert(line.mid(5).toInt());
                if (first)
                    codesOfA.push_back(line.mid(5).toInt());
            }
            else if (line.startsWith("slip "))
                slips.insert(line.mid(5).toInt());
        }
    }

    // The two runs did overlap: A's codes are not one block of its own.
    ASSERT_EQ(codesOfA.size(), size_t(kRounds));
    EXPECT_GT(*std::max_element(codesOfA.begin(), codesOfA.end())
                  - *std::min_element(codesOfA.begin(), codesOfA.end()),
              kRounds);

    std::set<int> expected;
    for (int code = 1; code <= 2 * kRounds; ++code)
        expected.insert(code);
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()), expected);
    EXPECT_EQ(codes.size(), size_t(2 * kRounds));
    EXPECT_EQ(std::set<int>(slips.begin(), slips.end()), expected);
    EXPECT_EQ(slips.size(), size_t(2 * kRounds));

    auto doc = data.open(1, "PC-C");
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT count(*) FROM f010.Kok"), 2 * kRounds);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT count(DISTINCT KokCode) FROM f010.Kok"), 2 * kRounds);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT count(DISTINCT DenNo) FROM f003.Syahead"), 2 * kRounds);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT count(*) FROM f003.Syahead"), 2 * kRounds);
    kv::data::CodeOccupancy customers(doc->store().mainConnection(), kv::data::CodeOccupancy::kCustomerCodes);
    EXPECT_EQ(customers.lowestFree(), 2 * kRounds + 1);
    EXPECT_EQ(qFromLittleEndian<qint32>(data.folder.read("015.dat").constData()), 2 * kRounds);
}

} // namespace
