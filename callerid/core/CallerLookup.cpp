#include "callerid/core/CallerLookup.h"

#include "callerid/core/CallerIdTexts.h"
#include "data/engine/Connection.h"
#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"
#include "data/engine/TelephoneDigits.h"

#include <sqlite3.h>

#include <iterator>

namespace kv::callerid {

namespace {

const QString kCustomerFile = QStringLiteral("010.mdb");

// The digits expression of a column exactly as the index is built on it, so
// that the query's comparison is an index seek.
QByteArray digitsOf(const char* column)
{
    return QByteArray(data::kTelephoneDigitsFunction) + "(\"" + column + "\")";
}

QString columnText(sqlite3_stmt* statement, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

} // namespace

CallerLookup::CallerLookup(data::Connection& connection)
    : m_connection(connection)
{
}

QByteArray CallerLookup::table(bool* ok)
{
    const QString schema = m_connection.schemaOf(kCustomerFile);
    *ok = !schema.isEmpty();
    if (!*ok) {
        m_error = data::EngineError::make(data::error::kFileNotFound, kCustomerFile);
        return {};
    }
    return data::FilterTranslator::quotedName(schema.toUtf8().constData()) + ".\"Kok\"";
}

bool CallerLookup::install()
{
    const QString schema = m_connection.schemaOf(kCustomerFile);
    if (schema.isEmpty()) {
        m_error = data::EngineError::make(data::error::kFileNotFound, kCustomerFile);
        return false;
    }
    const QByteArray quotedSchema = data::FilterTranslator::quotedName(schema.toUtf8().constData());
    QByteArray sql;
    for (const char* column : {"Tel1", "Tel2"})
        sql += "CREATE INDEX IF NOT EXISTS " + quotedSchema + ".\"Kok_" + column + "Digits\" ON \"Kok\" ("
             + digitsOf(column) + ");";
    if (!m_connection.execute(sql)) {
        m_error = m_connection.lastError();
        return false;
    }
    return true;
}

int CallerLookup::lowestCode(const QByteArray& condition, const QByteArray& value)
{
    bool ok = false;
    const QByteArray from = table(&ok);
    if (!ok)
        return -1;
    // All matching codes and the lowest of them in code: an ORDER BY here
    // could make SQLite walk the code index instead of seeking the numbers.
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT \"KokCode\" FROM " + from + " WHERE (" + condition + ") AND \"UserName1\" IS NOT ?2");
    if (!statement) {
        m_error = m_connection.lastError();
        return -1;
    }
    data::StatementScope scope(statement);
    const QByteArray placeholder = CallerIdTexts::Placeholder.toUtf8();
    sqlite3_bind_text(statement, 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, placeholder.constData(), int(placeholder.size()),
                      SQLITE_TRANSIENT);
    int lowest = 0;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const int code = sqlite3_column_int(statement, 0);
        if (code > 0 && (lowest == 0 || code < lowest))
            lowest = code;
    }
    if (rc != SQLITE_DONE) {
        m_error = m_connection.fail(rc, kCustomerFile);
        return -1;
    }
    return lowest;
}

bool CallerLookup::read(int code, data::CallInfoEntry* caller)
{
    bool ok = false;
    const QByteArray from = table(&ok);
    if (!ok)
        return false;
    sqlite3_stmt* statement = m_connection.prepareCached(
        "SELECT \"OwnerName1\", \"OwnerName2\", \"Furi\", \"OwnerJyu1\", \"OwnerJyu2\", \"Tel1\", "
        "\"Tel2\" FROM "
        + from + " WHERE \"KokCode\" = ?1 ORDER BY rowid LIMIT 1");
    if (!statement) {
        m_error = m_connection.lastError();
        return false;
    }
    data::StatementScope scope(statement);
    sqlite3_bind_int(statement, 1, code);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW) {
        // Gone since the lookup: no caller after all.
        if (rc == SQLITE_DONE)
            return false;
        m_error = m_connection.fail(rc, kCustomerFile);
        return false;
    }
    data::CallInfoEntry entry;
    entry.kokCode = code;
    QString data::CallInfoEntry::*const fields[] = {
        &data::CallInfoEntry::ownerName1, &data::CallInfoEntry::ownerName2,
        &data::CallInfoEntry::furi,       &data::CallInfoEntry::ownerJyu1,
        &data::CallInfoEntry::ownerJyu2,  &data::CallInfoEntry::tel1,
        &data::CallInfoEntry::tel2,
    };
    for (int i = 0; i < int(std::size(fields)); ++i)
        entry.*fields[i] = columnText(statement, i);
    *caller = entry;
    return true;
}

CallerLookup::Result CallerLookup::find(const QString& number, data::CallInfoEntry* caller)
{
    m_error = {};
    if (number.isEmpty())
        return Result::NotFound;
    int code = lowestCode("\"Tel1\" = ?1 OR \"Tel2\" = ?1", number.toUtf8());
    if (code == 0) {
        const QByteArray digits = data::telephoneDigits(number.toUtf8());
        if (!digits.isEmpty())
            code = lowestCode(digitsOf("Tel1") + " = ?1 OR " + digitsOf("Tel2") + " = ?1", digits);
    }
    if (code < 0)
        return Result::Failed;
    if (code == 0 || !read(code, caller))
        return m_error.isError() ? Result::Failed : Result::NotFound;
    return Result::Found;
}

} // namespace kv::callerid
