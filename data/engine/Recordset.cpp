#include "data/engine/Recordset.h"

#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"

#include <sqlite3.h>

namespace kv::data {

Recordset::Recordset(Connection& connection, const TableDef& table)
    : m_connection(connection)
    , m_table(table)
{
    for (const ColumnDef& column : m_table.columns) {
        if (!m_columnList.isEmpty())
            m_columnList += ", ";
        m_columnList += FilterTranslator::quotedName(column.name);
    }
}

Recordset::~Recordset()
{
    endHold();
}

void Recordset::endHold()
{
    if (m_connection.readHoldOwner() == this)
        m_connection.endReadHold();
}

sqlite3_stmt* Recordset::prepared(OwnStatement& own)
{
    if (!own.statement || own.generation != m_connection.statementGeneration()) {
        own.statement = m_connection.prepareCached(own.sql, this);
        own.generation = m_connection.statementGeneration();
    }
    return own.statement;
}

bool Recordset::fail(const EngineError& error)
{
    m_error = error;
    return false;
}

bool Recordset::failSqlite(int sqliteCode)
{
    return fail(m_connection.fail(sqliteCode, QString::fromLatin1(m_table.fileName)));
}

bool Recordset::requireOpen()
{
    if (m_open)
        return true;
    return fail(EngineError::make(error::kTableNotFound, QString::fromLatin1(m_table.name)));
}

bool Recordset::requireCurrent()
{
    if (!requireOpen())
        return false;
    if (m_position < 0 || m_position >= qsizetype(m_keys.size()) || m_afterDelete)
        return fail(EngineError::make(error::kNoCurrentRecord));
    return true;
}

bool Recordset::OpenWhere(const QString& filter, const QString& sort)
{
    m_filter = filter;
    m_sort = sort;
    return Open();
}

bool Recordset::Open()
{
    if (!prepareOpen())
        return false;
    if (!Requery()) {
        m_open = false;
        return false;
    }
    return true;
}

bool Recordset::OpenWithoutRows()
{
    if (!prepareOpen())
        return false;
    FilterTranslator translator(m_table);
    if (!translator.translateFilter(m_filter, m_where) || !translator.translateSort(m_sort, m_orderBy)) {
        m_open = false;
        return fail(translator.error());
    }
    setDefaults();
    return true;
}

bool Recordset::prepareOpen()
{
    m_error = {};
    Close();
    const QString schema = m_connection.schemaOf(QString::fromLatin1(m_table.fileName));
    if (schema.isEmpty())
        return fail(EngineError::make(error::kFileNotFound, QString::fromLatin1(m_table.fileName)));
    if (!m_connection.tableExists(schema, QString::fromLatin1(m_table.name))) {
        if (m_connection.lastError().isError())
            return fail(m_connection.lastError());
        return fail(EngineError::make(error::kTableNotFound, QString::fromLatin1(m_table.name)));
    }
    m_from = '"' + schema.toUtf8() + "\"." + FilterTranslator::quotedName(m_table.name);
    QByteArray columns;
    QByteArray placeholders;
    QByteArray assignments;
    for (const ColumnDef& column : m_table.columns) {
        if (column.type == ColumnType::AutoLong)
            continue;
        const QByteArray name = FilterTranslator::quotedName(column.name);
        columns += (columns.isEmpty() ? "" : ", ") + name;
        placeholders += placeholders.isEmpty() ? "?" : ", ?";
        assignments += (assignments.isEmpty() ? "" : ", ") + name + " = ?";
    }
    m_readRow = {"SELECT " + m_columnList + " FROM " + m_from + " WHERE rowid = ?"};
    m_insertRow = {"INSERT INTO " + m_from + " (" + columns + ") VALUES (" + placeholders + ")"};
    m_updateRow = {"UPDATE " + m_from + " SET " + assignments + " WHERE rowid = ?"};
    m_deleteRow = {"DELETE FROM " + m_from + " WHERE rowid = ?"};
    m_open = true;
    return true;
}

void Recordset::Close()
{
    endHold();
    m_open = false;
    m_keys.clear();
    m_positionOfKey.clear();
    m_positionsValid = false;
    m_position = -1;
    m_afterDelete = false;
    m_currentDeleted = false;
    m_editMode = EditMode::None;
}

bool Recordset::Requery()
{
    m_error = {};
    if (!requireOpen())
        return false;
    m_editMode = EditMode::None;
    m_keys.clear();
    m_positionsValid = false;
    m_position = -1;
    m_afterDelete = false;
    m_currentDeleted = false;

    FilterTranslator translator(m_table);
    if (!translator.translateFilter(m_filter, m_where)
        || !translator.translateSort(m_sort, m_orderBy)) {
        m_where = {};
        m_orderBy.clear();
        return fail(translator.error());
    }
    QByteArray sql = "SELECT rowid FROM " + m_from;
    if (!m_where.isEmpty())
        sql += " WHERE " + m_where.sql;
    sql += " ORDER BY " + m_orderBy;
    sqlite3_stmt* statement = m_connection.prepareCached(sql);
    if (!statement)
        return fail(m_connection.lastError());
    // The row ids and the first page of rows in one read, under one shared
    // lock: the keys are the page's first read.
    m_connection.beginReadHold(this);
    m_rowsInHold = 0;
    {
        // Reset before the first row is read: that read may prepare anew.
        StatementScope scope(statement);
        int rc = bindSqlValues(statement, 1, m_where.values);
        if (rc != SQLITE_OK)
            return failSqlite(rc);
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            m_keys.push_back(sqlite3_column_int64(statement, 0));
        if (rc != SQLITE_DONE) {
            m_keys.clear();
            failSqlite(rc);
            endHold();
            return false;
        }
    }
    if (m_keys.empty()) {
        endHold();
        setDefaults();
        return true;
    }
    return moveTo(0, true);
}

void Recordset::setDefaults()
{
    FieldExchange fx(FieldExchange::Mode::Defaults, m_table, nullptr);
    exchange(fx);
}

bool Recordset::loadCurrent(bool walking)
{
    m_currentDeleted = false;
    sqlite3_stmt* statement = prepared(m_readRow);
    if (!statement)
        return fail(m_connection.lastError());
    if (!walking) {
        m_connection.endReadHold();
    } else if (m_connection.readHoldOwner() != this || m_rowsInHold >= kRowsPerHold) {
        // A new page: a writer waiting for the file gets in first.
        m_connection.endReadHold();
        m_connection.beginReadHold(this);
        m_rowsInHold = 0;
    }
    ++m_rowsInHold;
    StatementScope scope(statement);
    sqlite3_bind_int64(statement, 1, m_keys[size_t(m_position)]);
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        FieldExchange fx(FieldExchange::Mode::Load, m_table, statement);
        exchange(fx);
        return true;
    }
    if (rc == SQLITE_DONE) {
        m_currentDeleted = true;
        setDefaults();
        return true;
    }
    return failSqlite(rc);
}

bool Recordset::moveTo(qsizetype position, bool walking)
{
    m_editMode = EditMode::None;
    m_afterDelete = false;
    m_currentDeleted = false;
    const auto count = qsizetype(m_keys.size());
    if (position < 0 || position >= count) {
        m_position = position < 0 ? -1 : count;
        endHold();
        setDefaults();
        return true;
    }
    m_position = position;
    return loadCurrent(walking);
}

bool Recordset::MoveFirst()
{
    m_error = {};
    if (!requireOpen())
        return false;
    if (m_keys.empty())
        return fail(EngineError::make(error::kNoCurrentRecord));
    return moveTo(0);
}

bool Recordset::MoveLast()
{
    m_error = {};
    if (!requireOpen())
        return false;
    if (m_keys.empty())
        return fail(EngineError::make(error::kNoCurrentRecord));
    return moveTo(qsizetype(m_keys.size()) - 1);
}

bool Recordset::MoveNext()
{
    m_error = {};
    if (!requireOpen())
        return false;
    if (IsEOF())
        return fail(EngineError::make(error::kNoCurrentRecord));
    // After a delete the cursor already names the following row.
    return moveTo(m_afterDelete ? m_position : m_position + 1, true);
}

bool Recordset::MovePrev()
{
    m_error = {};
    if (!requireOpen())
        return false;
    if (IsBOF())
        return fail(EngineError::make(error::kNoCurrentRecord));
    return moveTo(m_position - 1, true);
}


// Right after a delete the deleted row is still the current one: neither
// end is reached until the next move.
bool Recordset::IsBOF() const
{
    return !m_afterDelete && (m_keys.empty() || m_position < 0);
}

bool Recordset::IsEOF() const
{
    return !m_afterDelete && (m_keys.empty() || m_position >= qsizetype(m_keys.size()));
}

float Recordset::GetPercentPosition() const
{
    if (m_keys.empty() || m_position < 0)
        return 0.0f;
    const qsizetype position = std::min(m_position, qsizetype(m_keys.size()) - 1);
    return float(double(position) * 100.0 / double(m_keys.size()));
}

qint64 Recordset::currentRowId() const
{
    if (m_position < 0 || m_position >= qsizetype(m_keys.size()) || m_afterDelete)
        return 0;
    return m_keys[size_t(m_position)];
}

bool Recordset::FindFirst(const QString& criteria)
{
    m_error = {};
    if (!requireOpen())
        return false;
    FilterTranslator translator(m_table);
    SqlFragment condition;
    if (!translator.translateFilter(criteria, condition))
        return fail(translator.error());
    if (m_keys.empty())
        return false;
    if (!m_positionsValid) {
        m_positionOfKey.clear();
        m_positionOfKey.reserve(qsizetype(m_keys.size()));
        for (size_t i = 0; i < m_keys.size(); ++i)
            m_positionOfKey.insert(m_keys[i], qsizetype(i));
        m_positionsValid = true;
    }
    // The engine finds the candidates through the indexes; the first that
    // is in this view (rows added elsewhere since Requery are not) wins.
    // Row ids first need no table lookup; the columns come along so the
    // row found needs no second read.
    QByteArray sql = "SELECT rowid, " + m_columnList + " FROM " + m_from;
    std::vector<SqlValue> values = m_where.values;
    if (!m_where.isEmpty() || !condition.isEmpty()) {
        sql += " WHERE ";
        if (!m_where.isEmpty())
            sql += m_where.sql + (condition.isEmpty() ? "" : " AND ");
        sql += condition.sql;
        values.insert(values.end(), condition.values.begin(), condition.values.end());
    }
    sql += " ORDER BY " + m_orderBy;
    sqlite3_stmt* statement = m_connection.prepareCached(sql);
    if (!statement)
        return fail(m_connection.lastError());
    StatementScope scope(statement);
    int rc = bindSqlValues(statement, 1, values);
    if (rc != SQLITE_OK)
        return failSqlite(rc);
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto it = m_positionOfKey.constFind(sqlite3_column_int64(statement, 0));
        if (it == m_positionOfKey.constEnd())
            continue;
        m_editMode = EditMode::None;
        m_afterDelete = false;
        m_currentDeleted = false;
        m_position = it.value();
        FieldExchange fx(FieldExchange::Mode::Load, m_table, statement, 1);
        exchange(fx);
        return true;
    }
    if (rc != SQLITE_DONE)
        return failSqlite(rc);
    return false;
}

bool Recordset::AddNew()
{
    m_error = {};
    if (!requireOpen())
        return false;
    setDefaults();
    m_editMode = EditMode::Add;
    return true;
}

bool Recordset::Edit()
{
    m_error = {};
    if (!requireCurrent() || !loadCurrent())
        return false;
    if (m_currentDeleted)
        return fail(EngineError::make(error::kRecordDeleted));
    m_editMode = EditMode::Edit;
    return true;
}

bool Recordset::Update()
{
    m_error = {};
    if (!requireOpen())
        return false;
    switch (m_editMode) {
    case EditMode::None: return fail(EngineError::make(error::kUpdateWithoutEdit));
    case EditMode::Add: return insertRow();
    case EditMode::Edit: return updateRow();
    }
    return false;
}

bool Recordset::insertRow()
{
    m_connection.endReadHold();
    sqlite3_stmt* statement = prepared(m_insertRow);
    if (!statement)
        return fail(m_connection.lastError());
    qint64 rowId = 0;
    {
        StatementScope scope(statement);
        FieldExchange fx(FieldExchange::Mode::Bind, m_table, statement);
        exchange(fx);
        if (fx.result() != SQLITE_OK)
            return failSqlite(fx.result());
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE)
            return failSqlite(rc);
        rowId = sqlite3_last_insert_rowid(m_connection.handle());
    }
    m_keys.push_back(rowId);
    if (m_positionsValid)
        m_positionOfKey.insert(rowId, qsizetype(m_keys.size()) - 1);
    return moveTo(qsizetype(m_keys.size()) - 1);
}

bool Recordset::updateRow()
{
    if (!requireCurrent())
        return false;
    m_connection.endReadHold();
    sqlite3_stmt* statement = prepared(m_updateRow);
    if (!statement)
        return fail(m_connection.lastError());
    {
        StatementScope scope(statement);
        FieldExchange fx(FieldExchange::Mode::Bind, m_table, statement);
        exchange(fx);
        if (fx.result() != SQLITE_OK)
            return failSqlite(fx.result());
        sqlite3_bind_int64(statement, fx.boundCount() + 1, m_keys[size_t(m_position)]);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE)
            return failSqlite(rc);
        if (sqlite3_changes(m_connection.handle()) == 0) {
            m_editMode = EditMode::None;
            m_currentDeleted = true;
            return fail(EngineError::make(error::kRecordDeleted));
        }
    }
    return moveTo(m_position);
}

void Recordset::CancelUpdate()
{
    if (m_editMode == EditMode::None)
        return;
    m_editMode = EditMode::None;
    if (m_position >= 0 && m_position < qsizetype(m_keys.size()) && !m_afterDelete)
        loadCurrent();
    else
        setDefaults();
}

bool Recordset::Delete()
{
    m_error = {};
    if (!requireCurrent())
        return false;
    m_editMode = EditMode::None;
    if (m_currentDeleted)
        return fail(EngineError::make(error::kRecordDeleted));
    m_connection.endReadHold();
    sqlite3_stmt* statement = prepared(m_deleteRow);
    if (!statement)
        return fail(m_connection.lastError());
    {
        StatementScope scope(statement);
        sqlite3_bind_int64(statement, 1, m_keys[size_t(m_position)]);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE)
            return failSqlite(rc);
        if (sqlite3_changes(m_connection.handle()) == 0) {
            m_currentDeleted = true;
            return fail(EngineError::make(error::kRecordDeleted));
        }
    }
    m_keys.erase(m_keys.begin() + m_position);
    m_positionsValid = false;
    m_afterDelete = true;
    m_currentDeleted = true;
    setDefaults();
    return true;
}

bool Recordset::RefreshCurrent()
{
    m_error = {};
    if (!requireCurrent())
        return false;
    return loadCurrent();
}

} // namespace kv::data
