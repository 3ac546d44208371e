#pragma once

#include "data/service/ExclusiveFileOpener.h"

#include <QString>

#include <functional>

namespace kv::data {

// The record counters of the data folder: "100.dat" .. "103.dat" for the
// item sets, items, customers and vehicles ("012.mdb" .. "009.mdb"), each a
// masked 32-bit count.
class RecordCounters {
public:
    enum Action : int { Decrement = -1, Read = 0, Increment = 1, Recount = 2 };

    explicit RecordCounters(const QString& dataFolder, const RetryTiming& timing = {});

    // The count after the action; -1 when the file cannot be had, the
    // database has no counter or the action is unknown. Recount stores what
    // count returns (the database's record count, which needs the engine);
    // a negative count (a database error, already shown) stores nothing.
    int RecordCounter(const QString& database, int action,
                      const std::function<int()>& count = {});
    int RecordCounter(const QString& database, int action, int count)
    {
        return RecordCounter(database, action, [count] { return count; });
    }

    // "100.dat" .. "103.dat"; empty for a database without a counter.
    static QString counterFileOf(const QString& database);

private:
    QString m_dataFolder;
    ExclusiveFileOpener m_opener;
};

} // namespace kv::data
