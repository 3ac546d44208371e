#include "callerid/core/CallInfoStore.h"

#include "callerid/core/CallRecord.h"
#include "common/FileErrorMessage.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"
#include "data/settings/SettingsFileAccess.h"
#include "data/settings/SettingsStore.h"

namespace kv::callerid {

namespace {
using data::SettingsFileId;
using Outcome = data::SettingsFileAccess::Outcome;
}

CallInfoStore::CallInfoStore(data::SettingsStore& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
{
    connect(&m_retry, &QTimer::timeout, this, &CallInfoStore::trySave);
}

const data::CallInfoFile& CallInfoStore::calls() const
{
    return m_settings.callInfo();
}

void CallInfoStore::record(const data::CallInfoEntry& call)
{
    CallRecord::push(m_settings.callInfo(), call);
    emit changed();
    if (m_retry.isActive())
        return; // the pending write takes this call along
    m_waiting.start();
    trySave();
}

void CallInfoStore::trySave()
{
    QString refusal;
    const QByteArray bytes = m_settings.callInfo().toBytes(&refusal);
    if (bytes.isEmpty()) {
        m_retry.stop();
        showMessage(refusal);
        return;
    }
    // One attempt now; a busy file is tried again from the event loop.
    data::SettingsFileAccess access(RetryClock::system(), {m_timing.intervalMs, 0});
    const QString path = m_settings.pathOf(SettingsFileId::CallInfo);
    switch (access.write(path, bytes, false, data::RetryRule::GiveUp)) {
    case Outcome::Done:
        m_retry.stop();
        emit saved();
        return;
    case Outcome::GaveUp:
        if (m_timing.timeoutMs >= 0 && m_waiting.elapsed() >= m_timing.timeoutMs) {
            m_retry.stop();
            showFileError(path, FileCause::SharingViolation);
            return;
        }
        if (!m_retry.isActive())
            m_retry.start(m_timing.intervalMs);
        return;
    default:
        // The file error text has been shown.
        m_retry.stop();
        return;
    }
}

bool CallInfoStore::reload()
{
    // A write still waiting for the file holds newer calls than the file.
    if (m_retry.isActive())
        return true;
    const data::SettingsFileRules& rules = data::SettingsFileRules::of(SettingsFileId::CallInfo);
    data::SettingsFileAccess access(RetryClock::system(), m_timing);
    QByteArray bytes;
    if (access.read(m_settings.pathOf(SettingsFileId::CallInfo), rules.size, rules.shareAll,
                    data::RetryRule::GiveUp, &bytes)
        != Outcome::Done)
        return false;
    m_settings.callInfo() = data::CallInfoFile::fromBytes(bytes);
    emit changed();
    return true;
}

} // namespace kv::callerid
