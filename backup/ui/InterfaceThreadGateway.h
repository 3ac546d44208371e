#pragma once

#include "backup/core/DiskQuestion.h"
#include "common/MessageGateway.h"

#include <QPointer>

#include <atomic>
#include <functional>

class QObject;

namespace kv::backup {

// The message gateway of the backup's thread: every message and question,
// the choice of the next disk too, is shown by the interface thread
// (messages through the installed gateway), which the thread waits for.
// Qt allows widgets on that thread only.
class InterfaceThreadGateway final : public MessageGateway, public DiskQuestion {
public:
    // interfaceObject lives on the interface thread.
    explicit InterfaceThreadGateway(QObject* interfaceObject);

    void showMessage(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text, bool defaultNo, Icon icon) override;
    // With CDNextDisk titled as setTitle says.
    QString chooseDisk(int number, BackupVolumes& volumes) override;
    void setTitle(const QString& title) { m_title = title; }

    // From now on nothing more is shown: messages are dropped and
    // questions answered No (the window is going away).
    void abandon() { m_abandoned = true; }

private:
    void onInterfaceThread(const std::function<void()>& work);

    QPointer<QObject> m_target;
    QString m_title;
    std::atomic<bool> m_abandoned{false};
};

} // namespace kv::backup
