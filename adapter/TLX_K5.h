#pragma once

/*
 * TLX_K5: drives the TLX-K5 caller-ID adapter on a serial line.
 *
 * Every function returns 1 for success and 0 for failure, the reason being
 * kept as the last-error code (TLX_ErrInfo); TLX_ErrInfo and TLX_InfoDLL
 * return a value instead. Records are packed, little-endian, and stay the
 * caller's; text fields are NUL-terminated single-byte text, cut to fit.
 *
 * All calls come from the thread that owns the watch object: the watch
 * callback runs there, from that thread's event loop, never during a call.
 */

#include <stdint.h>

#if defined(_WIN32)
#  if defined(TLX_K5_BUILDING)
#    define TLX_K5_API __declspec(dllexport)
#  else
#    define TLX_K5_API __declspec(dllimport)
#  endif
#else
#  define TLX_K5_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
class QObject;
/* The object whose thread's event loop runs the one-second watch timer. */
typedef QObject TlxWatchOwner;
extern "C" {
#else
typedef struct TlxWatchOwner TlxWatchOwner;
#endif

/* Lines kept from one list or history reply: the arrays handed to
 * TLX_GetHistoryData and TLX_GetTelList need room for this many records. */
#define TLX_REPLY_LINES 50

/* Last-error codes. */
enum {
    TLX_ERR_NONE = 0,          /* also: unexpected status, data reply timed out, unknown device error */
    TLX_ERR_NOT_OPEN = 1,
    TLX_ERR_ALREADY_OPEN = 2,  /* also when another process has the adapter open */
    TLX_ERR_DEVICE_3 = 3,
    TLX_ERR_DEVICE_4 = 4,
    TLX_ERR_DEVICE_5 = 5,
    TLX_ERR_DEVICE_0 = 6,
    TLX_ERR_DEVICE_1 = 7,
    TLX_ERR_DEVICE_2 = 8,
    TLX_ERR_WATCH_ON = 9,
    TLX_ERR_NO_WINDOW = 10,
    TLX_ERR_NO_CALLBACK = 11,
    TLX_ERR_READ = 12,         /* a reply byte did not arrive within 1 s, or a frame failed its check */
    TLX_ERR_WRITE = 13         /* a command byte could not be written within 1 s */
};

/* Ordinals of the exports, for callers that bind them by number. */
enum {
    TLX_ORD_Init = 2, TLX_ORD_Exit, TLX_ORD_GetIDData, TLX_ORD_GetHistoryData,
    TLX_ORD_DelHistoryData, TLX_ORD_GetTelList, TLX_ORD_DelTelList, TLX_ORD_AllDelTelList,
    TLX_ORD_SetTelList, TLX_ORD_SetDayTime, TLX_ORD_Extension, TLX_ORD_InfoMode,
    TLX_ORD_InfoOff, TLX_ORD_GetState, TLX_ORD_WatchTimerOn, TLX_ORD_WatchTimerOff,
    TLX_ORD_ErrInfo, TLX_ORD_SetDate, TLX_ORD_SetTime, TLX_ORD_InfoDLL
};

#pragma pack(push, 1)

typedef struct TlxPortSettings {
    int32_t framing;   /* 0: plain lines, no parity; non-zero: CRC frames, even parity */
    int32_t baud;      /* bits per second */
    int16_t dataBits;  /* 8; not read */
    uint8_t spare;     /* 0; not read */
} TlxPortSettings;

typedef struct TlxDayTime {
    int32_t year;      /* two digits */
    int32_t month;
    int32_t day;
    int32_t hour;
    int32_t minute;
    int32_t second;
} TlxDayTime;

typedef struct TlxCallRecord {
    char number[24];
    char date[6];
    char time[6];      /* cut at its first '/' */
} TlxCallRecord;

typedef struct TlxListEntry {
    char key[24];      /* first argument of SET and DEL */
    char number[22];   /* may hold one space */
    int8_t attribute1;
    int8_t attribute2;
} TlxListEntry;

typedef struct TlxState {
    char first[6];
    char second[9];
    uint8_t value;
} TlxState;

typedef struct TlxCallNotice {
    char number[24];
    char date[6];
    char time[6];
    char fourth[6];    /* only in form 1 */
    char fifth[6];     /* only in form 1 */
    uint8_t form;      /* 0: line marked "C", 1: line marked "D" */
} TlxCallNotice;

#pragma pack(pop)

/* Receives each call notice; the notice lives only for the call. */
typedef void (*TlxNoticeCallback)(const TlxCallNotice* notice);

/* portName: "COM1" ... "COM6" (mapped to a device through the installation
 * settings, group [Serial]) or a device path such as "/dev/ttyUSB0". */
TLX_K5_API int32_t TLX_Init(const char* portName, const TlxPortSettings* settings);
TLX_K5_API int32_t TLX_Exit(void);
TLX_K5_API int32_t TLX_GetIDData(TlxCallRecord* record);
TLX_K5_API int32_t TLX_GetHistoryData(TlxCallRecord* records, int32_t* count);
TLX_K5_API int32_t TLX_DelHistoryData(void);
TLX_K5_API int32_t TLX_GetTelList(TlxListEntry* entries, int32_t* count);
TLX_K5_API int32_t TLX_DelTelList(const TlxListEntry* entry);
TLX_K5_API int32_t TLX_AllDelTelList(const TlxListEntry* entries, int32_t count);
TLX_K5_API int32_t TLX_SetTelList(const TlxListEntry* entry);
TLX_K5_API int32_t TLX_SetDayTime(const TlxDayTime* dayTime);
TLX_K5_API int32_t TLX_Extension(int32_t framing);
TLX_K5_API int32_t TLX_InfoMode(int32_t mode);
TLX_K5_API int32_t TLX_InfoOff(void);
TLX_K5_API int32_t TLX_GetState(TlxState* state);
TLX_K5_API int32_t TLX_WatchTimerOn(TlxWatchOwner* owner, TlxNoticeCallback callback);
TLX_K5_API int32_t TLX_WatchTimerOff(void);
TLX_K5_API int32_t TLX_ErrInfo(void);
TLX_K5_API int32_t TLX_SetDate(int32_t year, int32_t month, int32_t day);
TLX_K5_API int32_t TLX_SetTime(int32_t hour, int32_t minute, int32_t second);
TLX_K5_API int32_t TLX_InfoDLL(void);

#ifdef __cplusplus
}

static_assert(sizeof(TlxPortSettings) == 11, "TlxPortSettings layout");
static_assert(sizeof(TlxDayTime) == 24, "TlxDayTime layout");
static_assert(sizeof(TlxCallRecord) == 36, "TlxCallRecord layout");
static_assert(sizeof(TlxListEntry) == 48, "TlxListEntry layout");
static_assert(sizeof(TlxState) == 16, "TlxState layout");
static_assert(sizeof(TlxCallNotice) == 49, "TlxCallNotice layout");
#endif
