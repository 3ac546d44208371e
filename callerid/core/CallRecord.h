#pragma once

#include "data/settings/CallInfoFile.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace kv::callerid {

// How one recognised call becomes an entry of the call information.
struct CallRecord {
    // "2026/12/09 10:30": this computer's year, then the month and day of
    // the adapter's date field ("12-09") and its time field ("10:30"). A
    // call of December noticed in January belongs to the year before.
    static QString arrivalText(const QDate& today, const QString& dateField,
                               const QString& timeField);

    // The caller's texts cut to the widths of their fields in "018.dat"
    // (CP932 bytes, never inside a character), with the arrival, so that
    // the file can always be written.
    static data::CallInfoEntry entry(const data::CallInfoEntry& caller, const QString& arrival);

    // Entries move one place towards the front (the oldest, at 0, goes) and
    // the call becomes the newest, at 19.
    static void push(data::CallInfoFile& calls, const data::CallInfoEntry& call);

    // The texts of the "TelCallInfo" message after the customer code.
    static QStringList messageValues(const data::CallInfoEntry& call);
};

} // namespace kv::callerid
