#include "data/tools/RecordCountWriter.h"

#include "data/engine/StatementScope.h"
#include "data/service/RecordCounters.h"
#include "data/tables/DataStore.h"

#include <sqlite3.h>

namespace kv::data {

bool storeRecordCounts(const QString& dataFolder, QString* error)
{
    struct Counted {
        const char* file;
        const char* table;
    };
    static const Counted counted[] = {
        {"012.mdb", "MeisaiSetHead"}, {"011.mdb", "Meisai"}, {"010.mdb", "Kok"}, {"009.mdb", "Car"}};

    DataStore store;
    if (!store.open(dataFolder)) {
        if (error)
            *error = store.lastError().description;
        return false;
    }
    RecordCounters counters(dataFolder);
    for (const Counted& c : counted) {
        const QString file = QString::fromLatin1(c.file);
        Connection& connection = store.connectionFor(file);
        const QByteArray sql = "SELECT count(*) FROM \"" + connection.schemaOf(file).toUtf8() + "\".\""
            + QByteArray(c.table) + '"';
        sqlite3_stmt* statement = connection.prepareCached(sql);
        if (!statement) {
            if (error)
                *error = connection.lastError().description;
            return false;
        }
        StatementScope scope(statement);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_ROW) {
            if (error)
                *error = connection.fail(rc, file).description;
            return false;
        }
        const int count = sqlite3_column_int(statement, 0);
        if (counters.RecordCounter(file, RecordCounters::Recount, count) != count) {
            if (error)
                *error = QStringLiteral("件数ファイル [%1] を書き込めません！").arg(RecordCounters::counterFileOf(file));
            return false;
        }
    }
    return true;
}

} // namespace kv::data
