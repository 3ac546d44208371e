#include "callerid/core/CallRecord.h"

#include "common/Cp932.h"

#include <QStringList>

#include <algorithm>

namespace kv::callerid {

QString CallRecord::arrivalText(const QDate& today, const QString& dateField,
                                const QString& timeField)
{
    int year = today.year();
    if (dateField.left(2) == QLatin1String("12") && today.month() == 1)
        --year;
    return QStringLiteral("%1/%2/%3 %4")
        .arg(year)
        .arg(dateField.left(2), dateField.mid(3, 2), timeField.left(5));
}

data::CallInfoEntry CallRecord::entry(const data::CallInfoEntry& caller, const QString& arrival)
{
    data::CallInfoEntry e = caller;
    const auto cut = [](QString& text, int bytes) { text = cp932::truncateToBytes(text, bytes); };
    cut(e.ownerName1, 20);
    cut(e.ownerName2, 20);
    cut(e.furi, 20);
    cut(e.ownerJyu1, 30);
    cut(e.ownerJyu2, 30);
    cut(e.tel1, 20);
    cut(e.tel2, 20);
    e.arrival = cp932::truncateToBytes(arrival, 348);
    return e;
}

void CallRecord::push(data::CallInfoFile& calls, const data::CallInfoEntry& call)
{
    std::rotate(calls.entries.begin(), calls.entries.begin() + 1, calls.entries.end());
    calls.entries.back() = call;
}

QStringList CallRecord::messageValues(const data::CallInfoEntry& call)
{
    return {call.ownerName1, call.ownerName2, call.furi, call.ownerJyu1,
            call.ownerJyu2,  call.tel1,       call.tel2, call.arrival};
}

} // namespace kv::callerid
