#include "adapter/TLX_K5.h"

#include "adapter/AdapterSession.h"

using tlx::AdapterSession;

extern "C" {

int32_t TLX_Init(const char* portName, const TlxPortSettings* settings)
{
    return AdapterSession::instance().init(portName, settings);
}

int32_t TLX_Exit(void)
{
    return AdapterSession::instance().exit();
}

int32_t TLX_GetIDData(TlxCallRecord* record)
{
    return AdapterSession::instance().getIdData(record);
}

int32_t TLX_GetHistoryData(TlxCallRecord* records, int32_t* count)
{
    return AdapterSession::instance().getHistory(records, count);
}

int32_t TLX_DelHistoryData(void)
{
    return AdapterSession::instance().clearHistory();
}

int32_t TLX_GetTelList(TlxListEntry* entries, int32_t* count)
{
    return AdapterSession::instance().getTelList(entries, count);
}

int32_t TLX_DelTelList(const TlxListEntry* entry)
{
    return AdapterSession::instance().deleteEntry(entry);
}

int32_t TLX_AllDelTelList(const TlxListEntry* entries, int32_t count)
{
    return AdapterSession::instance().deleteEntries(entries, count);
}

int32_t TLX_SetTelList(const TlxListEntry* entry)
{
    return AdapterSession::instance().setEntry(entry);
}

int32_t TLX_SetDayTime(const TlxDayTime* dayTime)
{
    return AdapterSession::instance().setDayTime(dayTime);
}

int32_t TLX_Extension(int32_t framing)
{
    return AdapterSession::instance().switchFraming(framing);
}

int32_t TLX_InfoMode(int32_t mode)
{
    return AdapterSession::instance().infoMode(mode);
}

int32_t TLX_InfoOff(void)
{
    return AdapterSession::instance().infoOff();
}

int32_t TLX_GetState(TlxState* state)
{
    return AdapterSession::instance().getState(state);
}

int32_t TLX_WatchTimerOn(TlxWatchOwner* owner, TlxNoticeCallback callback)
{
    return AdapterSession::instance().watchOn(owner, callback);
}

int32_t TLX_WatchTimerOff(void)
{
    return AdapterSession::instance().watchOff();
}

int32_t TLX_ErrInfo(void)
{
    return AdapterSession::instance().lastError();
}

int32_t TLX_SetDate(int32_t year, int32_t month, int32_t day)
{
    return AdapterSession::instance().setDate(year, month, day);
}

int32_t TLX_SetTime(int32_t hour, int32_t minute, int32_t second)
{
    return AdapterSession::instance().setTime(hour, minute, second);
}

int32_t TLX_InfoDLL(void)
{
    return AdapterSession::instance().loaded();
}

} // extern "C"
