#pragma once

// The common library: amounts, dates, text lines, the log file, input-method
// and list helpers, files, disks and system information. Every function is
// exported under its plain name (C linkage); text passes as QString, outputs
// are the caller's objects and are replaced whole. The library shows its own
// messages through the message gateway (common/MessageGateway.h).

#include "common/KVCommonExport.h"

#include <QByteArray>
#include <QString>

class QAbstractItemView;
class QBrush;
class QIODevice;
class QObject;
class QPaintDevice;
class QPainter;
class QPixmap;
class QWidget;

// Operating-system version as GetWindowsInfo reports it.
struct OsVersionInfo {
    int majorVersion = 0;
    int minorVersion = 0;
    int buildNumber = 0;
    int platformId = 0;  // 1 the 9x family, 2 the NT family
    QString description; // kernel name and release
};

// Event type sent by AddLog to the window it is given; the event carries the
// logged line.
inline constexpr int KvLogEventType = 0x8000;

extern "C" {

// ---- Amounts --------------------------------------------------------------
KVCOMMON_EXPORT void Kanma(QString& out, int value);
KVCOMMON_EXPORT void Kanmadb(QString& out, double value);
KVCOMMON_EXPORT void Kanmadb2(QString& out, double value, int decimals);
KVCOMMON_EXPORT int KanmaToInt(const QString& text, int* flag);
KVCOMMON_EXPORT double KanmaToDouble(const QString& text, int* flag);
KVCOMMON_EXPORT double HasuuCalc(double value, int mode, int unit);
KVCOMMON_EXPORT int OverFlowCheck(int a, int b, QString op);

// ---- Era dates --------------------------------------------------------------
KVCOMMON_EXPORT int GengoToSeireki(int eraYear, int month, int day, int* era);
KVCOMMON_EXPORT int SeirekiToGengo(int year, int month, int day, int* era, QString& label);

// ---- Text and CSV lines -----------------------------------------------------
KVCOMMON_EXPORT int GetCsvField(QString line, QString& field, int tabSeparated, int index);
// Reads one CP932 line from an open device; the line is decoded to QString.
KVCOMMON_EXPORT int GetTextLine(QIODevice& file, QString& line);

// ---- Log file ---------------------------------------------------------------
KVCOMMON_EXPORT void AddLog(QString folder, QString message, QObject* window);

// ---- Input method, keyboard locks, lists ------------------------------------
KVCOMMON_EXPORT void ImmSwitch(QWidget* window, int open);
KVCOMMON_EXPORT void ImmSwitchKana(QWidget* window, int kana);
KVCOMMON_EXPORT void SetNumLock(int on);
KVCOMMON_EXPORT void SetCapsLock(int on);
KVCOMMON_EXPORT void AddReport(QAbstractItemView* list, int row, int column, QString text);
KVCOMMON_EXPORT void AttribItem(QAbstractItemView* list, int row, int column, unsigned state,
                                unsigned mask);

// ---- Drawing and images -----------------------------------------------------
KVCOMMON_EXPORT int AngleArc2(QPainter* dc, int x, int y, unsigned radius, float start,
                              float sweep, const QBrush& brush);
KVCOMMON_EXPORT int ToBMP(QString source, QString destination);
KVCOMMON_EXPORT int ToJPG(QString source, QString destination, int option1, int option2);
KVCOMMON_EXPORT int ToPNG(QString source, QString destination, int option);
KVCOMMON_EXPORT int ToGIF(QString source, QString destination, int option);
// Returns a pixmap for the device made from the image file, or false when the
// image has no description; the caller owns *out.
KVCOMMON_EXPORT int DIBtoOBJ(QPaintDevice* dc, QString image, QPixmap* out);

// ---- Files, disks, system ---------------------------------------------------
KVCOMMON_EXPORT void CFileSetErrStr(QString& message, QString fileName, int cause);
KVCOMMON_EXPORT int CopyFile2(QString sourcePattern, QString destinationPattern, int failIfExists);
KVCOMMON_EXPORT int DeleteFile2(QString pattern, int recurse);
KVCOMMON_EXPORT int DeleteFiles(QString folder, int* error);
KVCOMMON_EXPORT int MoveFiles(QString sourceFolder, QString destinationFolder, int* error);
KVCOMMON_EXPORT int WriteDataToFile(QString fileName, unsigned openMode, int offset, int origin,
                                    QByteArray data);
KVCOMMON_EXPORT int GetSize(QString fileName, int* flag);
KVCOMMON_EXPORT int GetSize2(QString pattern, int recurse, double* total);
KVCOMMON_EXPORT double GetDiskFreeByte(QString root);
KVCOMMON_EXPORT int GetDiskFreeByteEx(QString root, double* total, double* free);
KVCOMMON_EXPORT int GetExeFullPath(QString& path, QString& folder, QString& share, QString name,
                                   QString computer);
KVCOMMON_EXPORT int LunchExeFile(QString commandLine, const char* workingFolder, int ignored,
                                 int waitMs);
KVCOMMON_EXPORT int GetVersionInfo(QString fileName, QString& version);
KVCOMMON_EXPORT int GetWindowsInfo(OsVersionInfo& os, QString& currentFolder,
                                   QString& windowsFolder, QString& systemFolder,
                                   QString& desktopFolder, QString& programFilesFolder,
                                   QString& programsFolder, QString& tempFolder,
                                   QString& documentsFolder, QString& computerName);

} // extern "C"
