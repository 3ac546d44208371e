#include "callerid/core/CallerIdService.h"

#include "callerid/core/CallInfoStore.h"
#include "callerid/core/CallRecord.h"
#include "callerid/core/CallerIdTexts.h"
#include "callerid/core/CallerLookup.h"
#include "common/MessageGateway.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/ChangeAnnouncer.h"

namespace kv::callerid {

namespace {

// The adapter library calls a plain function: the one service watching.
CallerIdService* g_watching = nullptr;

QString fieldText(const char* field, int size)
{
    return QString::fromLatin1(field, int(qstrnlen(field, size)));
}

} // namespace

CallerIdService::CallerIdService(Setup setup)
    : m_setup(std::move(setup))
{
}

CallerIdService::~CallerIdService()
{
    StopCallerId();
}

bool CallerIdService::fail(const QString& message)
{
    showMessage(message);
    StopCallerId();
    return false;
}

bool CallerIdService::StartCallerId()
{
    data::SettingsStore& settings = *m_setup.settings;
    const int port = settings.callerId().port;
    if (m_setup.isClient || port < 1 || port > 6 || m_open)
        return true;

    const QByteArray portName = "COM" + QByteArray::number(port);
    const TlxPortSettings line{0, 4800, 8, 0};
    if (!TLX_Init(portName.constData(), &line)) {
        if (!askYesNo(CallerIdTexts::adapterMissing(port)))
            return false;
        settings.callerId().port = 0;
        settings.SaveSettingsFile(data::SettingsFileId::CallerId);
        return true;
    }
    m_open = true;

    const QDateTime now = m_setup.now ? m_setup.now() : QDateTime::currentDateTime();
    const TlxDayTime clock{now.date().year() % 100, now.date().month(), now.date().day(),
                           now.time().hour(),       now.time().minute(), now.time().second()};
    if (!TLX_SetDayTime(&clock))
        return fail(CallerIdTexts::ClockFailed);
    if (!TLX_InfoMode(0))
        return fail(CallerIdTexts::NoticeModeFailed);

    // Made once for the data folder; a failure only makes lookups slower.
    if (m_setup.lookup)
        m_setup.lookup->install();
    if (m_watchStarted)
        m_watchStarted();
    g_watching = this;
    if (!TLX_WatchTimerOn(&m_watchOwner, &CallerIdService::noticeArrived)) {
        g_watching = nullptr;
        return fail(CallerIdTexts::WatchFailed);
    }
    m_watching = true;
    return true;
}

void CallerIdService::StopCallerId()
{
    if (m_watching)
        TLX_WatchTimerOff();
    m_watching = false;
    if (g_watching == this)
        g_watching = nullptr;
    if (m_open)
        TLX_Exit();
    m_open = false;
}

void CallerIdService::noticeArrived(const TlxCallNotice* notice)
{
    if (g_watching && notice)
        g_watching->OnAdapterCall(*notice);
}

void CallerIdService::OnAdapterCall(const TlxCallNotice& notice)
{
    if (m_setup.lookupSuspended && m_setup.lookupSuspended())
        return;
    const QString number = fieldText(notice.number, sizeof notice.number);
    data::CallInfoEntry caller;
    if (!m_setup.lookup
        || m_setup.lookup->find(number, &caller) != CallerLookup::Result::Found)
        return;

    const QDateTime now = m_setup.now ? m_setup.now() : QDateTime::currentDateTime();
    const QString arrival =
        CallRecord::arrivalText(now.date(), fieldText(notice.date, sizeof notice.date),
                                fieldText(notice.time, sizeof notice.time));
    const data::CallInfoEntry call = CallRecord::entry(caller, arrival);
    m_setup.calls->record(call);
    lan::changeAnnouncer().announce(CallerIdTexts::TelCallInfo, QString::number(call.kokCode),
                                    CallRecord::messageValues(call));
    if (m_recognised)
        m_recognised(call);
}

} // namespace kv::callerid
