#pragma once

#include "support/TestPaths.h"

#include <QProcess>
#include <QStringList>

namespace kv::test {

// Another computer of the shop as a process of its own (the test peer),
// holding one lock on the data folder until it goes:
//   LockHoldingComputer other(folder, {"claim", "010.mdb", "1"});
//   LockHoldingComputer printing(folder, {"hold", "Printing"});
class LockHoldingComputer {
public:
    LockHoldingComputer(const QString& dataFolder, const QStringList& lock,
                        const QString& computer = QStringLiteral("PC2"))
    {
        m_process.start(peerProgram(), QStringList{"lock-holder", dataFolder, computer} + lock);
        ready = m_process.waitForReadyRead(10000)
             && m_process.readLine().trimmed() == QByteArray("ready");
    }
    ~LockHoldingComputer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    LockHoldingComputer(const LockHoldingComputer&) = delete;
    LockHoldingComputer& operator=(const LockHoldingComputer&) = delete;

    // The lock is held.
    bool ready = false;

private:
    QProcess m_process;
};

} // namespace kv::test
