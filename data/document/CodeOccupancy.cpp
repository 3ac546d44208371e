#include "data/document/CodeOccupancy.h"

#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"

#include <sqlite3.h>

#include <algorithm>

namespace kv::data {

const CodeOccupancy::Column CodeOccupancy::kCustomerCodes{"010.mdb", "Kok", "KokCode", 999999};
const CodeOccupancy::Column CodeOccupancy::kVehicleCodes{"009.mdb", "Car", "CarCode", 999999};
const CodeOccupancy::Column CodeOccupancy::kItemCodes{"011.mdb", "Meisai", "MeisaiCode", 9999};
const CodeOccupancy::Column CodeOccupancy::kSetCodes{"012.mdb", "MeisaiSetHead", "SetCode", 999};
const CodeOccupancy::Column CodeOccupancy::kSlipNumbers{"003.mdb", "Syahead", "DenNo", 999999};

namespace {

QByteArray number(int value)
{
    return QByteArray::number(value);
}

int blockOf(int code)
{
    return code / CodeOccupancy::kBlockSize;
}

} // namespace

CodeOccupancy::CodeOccupancy(Connection& connection, const Column& column)
    : m_connection(connection)
    , m_column(column)
    , m_table(FilterTranslator::quotedName(column.table))
    , m_code(FilterTranslator::quotedName(column.column))
    , m_blockTable(name(""))
{
}

QByteArray CodeOccupancy::name(const QByteArray& suffix) const
{
    return FilterTranslator::quotedName((QByteArray(m_column.column) + "Block" + suffix).constData());
}

QByteArray CodeOccupancy::qualified(const QByteArray& object) const
{
    return m_schema + '.' + object;
}

bool CodeOccupancy::fail(const EngineError& error)
{
    m_error = error;
    return false;
}

bool CodeOccupancy::failConnection()
{
    return fail(m_connection.lastError());
}

bool CodeOccupancy::schemaComplete(bool* complete)
{
    const QString schema = m_connection.schemaOf(QString::fromLatin1(m_column.fileName));
    if (schema.isEmpty())
        return fail(EngineError::make(error::kFileNotFound, QString::fromLatin1(m_column.fileName)));
    m_schema = FilterTranslator::quotedName(schema.toUtf8().constData());
    const QByteArray base = QByteArray(m_column.column) + "Block";
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT count(*) FROM " + qualified("sqlite_master") + " WHERE name IN (?, ?, ?, ?, ?, ?)");
    if (!statement)
        return failConnection();
    StatementScope scope(statement);
    const QByteArray names[] = {base, base + "_open", base + "_insert", base + "_delete",
                                base + "_codeLeaves", base + "_codeArrives"};
    for (int i = 0; i < 6; ++i)
        sqlite3_bind_text(statement, i + 1, names[i].constData(), int(names[i].size()),
                          SQLITE_TRANSIENT);
    if (const int rc = sqlite3_step(statement); rc != SQLITE_ROW)
        return fail(m_connection.fail(rc, QString::fromLatin1(m_column.fileName)));
    *complete = sqlite3_column_int(statement, 0) == 6;
    return true;
}

bool CodeOccupancy::install()
{
    m_error = {};
    bool complete = false;
    if (!schemaComplete(&complete))
        return false;
    if (complete)
        return true;

    const QByteArray inRange = " BETWEEN 1 AND " + number(m_column.maxCode);
    const QByteArray block = " / " + number(kBlockSize);
    const QByteArray freeOne = "BEGIN UPDATE " + m_blockTable + " SET \"Free\" = \"Free\" - 1 WHERE \"Block\" = NEW." + m_code + block + "; END;";
    const QByteArray freeAgain = "BEGIN UPDATE " + m_blockTable + " SET \"Free\" = \"Free\" + 1 WHERE \"Block\" = OLD." + m_code + block + "; END;";
    // A code arrives when no other row had it; it leaves when no row keeps it.
    const QByteArray arrives = "NEW." + m_code + inRange + " AND NOT EXISTS (SELECT 1 FROM " + m_table
                             + " WHERE " + m_code + " = NEW." + m_code + " AND rowid <> NEW.rowid)";
    const QByteArray leaves = "OLD." + m_code + inRange + " AND NOT EXISTS (SELECT 1 FROM " + m_table
                            + " WHERE " + m_code + " = OLD." + m_code + ")";
    const QByteArray changed = "OLD." + m_code + " IS NOT NEW." + m_code + " AND ";

    // IMMEDIATE: two computers installing at once queue up instead of both
    // reading first and then failing to write.
    QByteArray sql = "BEGIN IMMEDIATE;";
    sql += "CREATE TABLE IF NOT EXISTS " + qualified(m_blockTable)
         + " (\"Block\" INTEGER PRIMARY KEY, \"Free\" INTEGER NOT NULL);";
    sql += "CREATE INDEX IF NOT EXISTS " + qualified(name("_open")) + " ON " + m_blockTable
         + " (\"Block\") WHERE \"Free\" > 0;";
    sql += "CREATE TRIGGER IF NOT EXISTS " + qualified(name("_insert")) + " AFTER INSERT ON " + m_table
         + " WHEN " + arrives + ' ' + freeOne;
    sql += "CREATE TRIGGER IF NOT EXISTS " + qualified(name("_delete")) + " AFTER DELETE ON " + m_table
         + " WHEN " + leaves + ' ' + freeAgain;
    sql += "CREATE TRIGGER IF NOT EXISTS " + qualified(name("_codeLeaves")) + " AFTER UPDATE OF "
         + m_code + " ON " + m_table + " WHEN " + changed + leaves + ' ' + freeAgain;
    sql += "CREATE TRIGGER IF NOT EXISTS " + qualified(name("_codeArrives")) + " AFTER UPDATE OF "
         + m_code + " ON " + m_table + " WHEN " + changed + arrives + ' ' + freeOne;
    if (!m_connection.execute(sql)) {
        failConnection();
        m_connection.execute("ROLLBACK");
        return false;
    }
    // The counts are written in the same transaction as the triggers, so no
    // row can slip in between.
    if (!rebuild() || !m_connection.execute("COMMIT")) {
        if (!m_error)
            failConnection();
        m_connection.execute("ROLLBACK");
        return false;
    }
    return true;
}

bool CodeOccupancy::rebuild()
{
    if (m_schema.isEmpty()) {
        bool complete = false;
        if (!schemaComplete(&complete))
            return false;
    }
    const QByteArray lo = "max(1, n * " + number(kBlockSize) + ")";
    const QByteArray hi = "min(" + number(m_column.maxCode) + ", n * " + number(kBlockSize) + " + "
                        + number(kBlockSize - 1) + ")";
    const QByteArray sql =
        "DELETE FROM " + qualified(m_blockTable) + ";"
        "WITH RECURSIVE b(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM b WHERE n < "
        + number(blockOf(m_column.maxCode)) + ") INSERT INTO " + qualified(m_blockTable)
        + " (\"Block\", \"Free\") SELECT n, " + hi + " - " + lo + " + 1 - (SELECT count(DISTINCT "
        + m_code + ") FROM " + qualified(m_table) + " WHERE " + m_code + " BETWEEN " + lo + " AND "
        + hi + ") FROM b;";
    if (!m_connection.execute(sql))
        return failConnection();
    return true;
}

bool CodeOccupancy::recountBlock(int block)
{
    const int lo = std::max(1, block * kBlockSize);
    const int hi = std::min(m_column.maxCode, block * kBlockSize + kBlockSize - 1);
    sqlite3_stmt* statement = m_connection.prepareCached(
        "UPDATE " + qualified(m_blockTable) + " SET \"Free\" = ?2 - ?1 + 1 - (SELECT count(DISTINCT "
        + m_code + ") FROM " + qualified(m_table) + " WHERE " + m_code
        + " BETWEEN ?1 AND ?2) WHERE \"Block\" = ?3");
    if (!statement)
        return failConnection();
    StatementScope scope(statement);
    sqlite3_bind_int(statement, 1, lo);
    sqlite3_bind_int(statement, 2, hi);
    sqlite3_bind_int(statement, 3, block);
    if (const int rc = sqlite3_step(statement); rc != SQLITE_DONE)
        return fail(m_connection.fail(rc, QString::fromLatin1(m_column.fileName)));
    return true;
}

int CodeOccupancy::nextOpenBlock(int first, int last, bool* ok)
{
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT \"Block\" FROM " + qualified(m_blockTable) + " INDEXED BY " + name("_open")
        + " WHERE \"Free\" > 0 AND \"Block\" BETWEEN ? AND ? ORDER BY \"Block\" LIMIT 1");
    if (!statement) {
        *ok = failConnection();
        return -1;
    }
    StatementScope scope(statement);
    sqlite3_bind_int(statement, 1, first);
    sqlite3_bind_int(statement, 2, last);
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        return sqlite3_column_int(statement, 0);
    if (rc != SQLITE_DONE)
        *ok = fail(m_connection.fail(rc, QString::fromLatin1(m_column.fileName)));
    return -1;
}

int CodeOccupancy::walkBlock(int from, int to, bool* ok)
{
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT " + m_code + " FROM " + qualified(m_table) + " WHERE " + m_code
        + " BETWEEN ? AND ? ORDER BY " + m_code);
    if (!statement) {
        *ok = failConnection();
        return 0;
    }
    StatementScope scope(statement);
    sqlite3_bind_int(statement, 1, from);
    sqlite3_bind_int(statement, 2, to);
    int expected = from;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const int code = sqlite3_column_int(statement, 0);
        if (code > expected)
            return expected;
        if (code == expected)
            ++expected;
        // code < expected: a duplicate of the code just passed.
    }
    if (rc != SQLITE_DONE) {
        *ok = fail(m_connection.fail(rc, QString::fromLatin1(m_column.fileName)));
        return 0;
    }
    return expected <= to ? expected : 0;
}

int CodeOccupancy::firstFreeBetween(int from, int to)
{
    m_error = {};
    from = std::max(from, 1);
    to = std::min(to, m_column.maxCode);
    bool complete = false;
    if (!schemaComplete(&complete))
        return 0;
    if (!complete) {
        m_error = EngineError::make(error::kTableNotFound, QString::fromUtf8(m_blockTable));
        return 0;
    }
    bool ok = true;
    while (from <= to) {
        const int block = nextOpenBlock(blockOf(from), blockOf(to), &ok);
        if (!ok || block < 0)
            return 0;
        const int blockFirst = std::max(1, block * kBlockSize);
        const int blockLast = std::min(m_column.maxCode, block * kBlockSize + kBlockSize - 1);
        const int walkFrom = std::max(from, blockFirst);
        const int walkTo = std::min(to, blockLast);
        const int code = walkBlock(walkFrom, walkTo, &ok);
        if (!ok)
            return 0;
        if (code > 0)
            return code;
        // A whole block walked without a gap although it was counted as
        // open: its count was wrong (a file edited without the triggers).
        if (walkFrom == blockFirst && walkTo == blockLast && !recountBlock(block))
            return 0;
        from = blockLast + 1;
    }
    return 0;
}

int CodeOccupancy::lowestFree()
{
    return firstFreeBetween(1, m_column.maxCode);
}

int CodeOccupancy::firstFreeFrom(int start)
{
    if (start < 1 || start > m_column.maxCode)
        start = 1;
    const int code = firstFreeBetween(start, m_column.maxCode);
    if (code > 0 || m_error || start == 1)
        return code;
    return firstFreeBetween(1, start - 1);
}

} // namespace kv::data
