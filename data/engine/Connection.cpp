#include "data/engine/Connection.h"

#include "data/engine/EngineFunctions.h"
#include "data/engine/StatementScope.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QObject>
#include <QTimer>

#include <sqlite3.h>

namespace kv::data {

namespace {

// The longest wait of the shared-file rules: other computers may hold a
// file for a moment while they write.
constexpr int kBusyTimeoutMs = 60000;
constexpr qsizetype kMaxCachedStatements = 256;

QByteArray quoted(const QString& schema)
{
    return '"' + schema.toUtf8().replace('"', "\"\"") + '"';
}

} // namespace

Connection::Connection()
    : m_holdTimerContext(std::make_unique<QObject>())
{
}

Connection::~Connection()
{
    close();
}

bool Connection::stepOwn(const QByteArray& sql)
{
    sqlite3_stmt* statement = m_statements.value(sql);
    if (!statement) {
        if (sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                               &statement, nullptr)
            != SQLITE_OK) {
            sqlite3_finalize(statement);
            return false;
        }
        m_statements.insert(sql, statement);
    }
    StatementScope scope(statement);
    return sqlite3_step(statement) == SQLITE_DONE;
}

void Connection::beginReadHold(const void* owner)
{
    if (m_holdOwner == owner)
        return;
    endReadHold();
    if (!m_db || m_depth > 0 || !sqlite3_get_autocommit(m_db))
        return;
    if (!stepOwn("BEGIN"))
        return;
    m_holdOwner = owner;
    // A walk left half way must not keep other computers from writing.
    if (!m_holdEndQueued && QCoreApplication::instance()) {
        m_holdEndQueued = true;
        QTimer::singleShot(0, m_holdTimerContext.get(), [this] {
            m_holdEndQueued = false;
            endReadHold();
        });
    }
}

void Connection::endReadHold()
{
    if (!m_holdOwner)
        return;
    m_holdOwner = nullptr;
    // Only reads happened under the hold: the commit just lets go of the locks.
    if (!sqlite3_get_autocommit(m_db))
        stepOwn("COMMIT");
}

QByteArray Connection::uriFor(const QString& path, OpenMode mode)
{
    QByteArray uri = "file:";
    for (char c : QFileInfo(path).absoluteFilePath().toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '%' || c == '?' || c == '#' || byte < 0x20) {
            uri += '%';
            uri += QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            uri += c;
        }
    }
    switch (mode) {
    case OpenMode::ReadWrite: uri += "?mode=rw"; break;
    case OpenMode::ReadOnly: uri += "?mode=ro"; break;
    case OpenMode::Create: uri += "?mode=rwc"; break;
    }
    return uri;
}

bool Connection::checkFile(const QString& path, OpenMode mode)
{
    const QFileInfo info(path);
    if (mode == OpenMode::Create) {
        if (info.exists()) {
            m_lastError = EngineError::make(error::kDatabaseExists, path);
            return false;
        }
        return true;
    }
    if (!info.exists()) {
        m_lastError = EngineError::make(error::kFileNotFound, path);
        return false;
    }
    if (!info.isFile()) {
        m_lastError = EngineError::make(error::kCannotOpen, path);
        return false;
    }
    return true;
}

const EngineError& Connection::fail(int sqliteCode, const QString& subject)
{
    const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
    m_lastError = EngineError::fromSqlite(sqliteCode, subject, detail);
    return m_lastError;
}

bool Connection::open(const QString& path, OpenMode mode)
{
    close();
    m_lastError = {};
    if (!checkFile(path, mode))
        return false;
    const int flags = (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE)
                    | (mode == OpenMode::Create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_URI
                    | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(uriFor(path, mode).constData(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(m_db, 0);
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        rc = registerEngineFunctions(m_db);
    }
    if (rc != SQLITE_OK) {
        fail(rc, path);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    if (!prepareSchema(QStringLiteral("main"), path, mode)) {
        const EngineError error = m_lastError;
        close();
        m_lastError = error;
        return false;
    }
    return true;
}

bool Connection::attach(const QString& path, const QString& schema, OpenMode mode)
{
    m_lastError = {};
    if (!m_db) {
        m_lastError = EngineError::make(error::kCannotOpen, path);
        return false;
    }
    if (!checkFile(path, mode))
        return false;
    // A file joins the connection between transactions only.
    endReadHold();
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = "ATTACH DATABASE ? AS " + quoted(schema);
    int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray uri = uriFor(path, mode);
        sqlite3_bind_text(statement, 1, uri.constData(), int(uri.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK)
        fail(rc, path);
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        return false;
    if (!prepareSchema(schema, path, mode)) {
        const EngineError error = m_lastError;
        detach(schema);
        m_lastError = error;
        return false;
    }
    return true;
}

bool Connection::prepareSchema(const QString& schema, const QString& path, OpenMode mode)
{
    const QByteArray name = quoted(schema);
    // Rollback journal, not WAL: WAL needs shared memory, which a network
    // share does not give. FULL makes a commit survive a power cut.
    QByteArray sql = "PRAGMA " + name + ".synchronous = FULL;";
    // A walk in reading order reads the rows twice (the keys, then each row
    // at the cursor), scattered over the file: the default 2 MiB cache lost
    // them in between. The cache fills only as pages are read.
    sql += "PRAGMA " + name + ".cache_size = -32768;";
    if (mode != OpenMode::ReadOnly)
        sql += "PRAGMA " + name + ".journal_mode = DELETE;";
    // Reading the schema proves the file is a database at all.
    sql += "SELECT count(*) FROM " + name + ".sqlite_master;";
    const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc, path);
        return false;
    }
    m_schemaByFile.insert(QFileInfo(path).fileName().toLower(), schema);
    m_pathBySchema.insert(schema, path);
    return true;
}

bool Connection::detach(const QString& schema)
{
    m_lastError = {};
    if (!m_db)
        return false;
    // A file leaves the connection only between units of work, never from
    // under one.
    if (m_depth > 0) {
        m_lastError = EngineError::make(error::kGeneric, QStringLiteral("DETACH ") + schema);
        return false;
    }
    endReadHold();
    finalizeStatements();
    const int rc = sqlite3_exec(m_db, ("DETACH DATABASE " + quoted(schema)).constData(), nullptr,
                                nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc, pathOf(schema));
        return false;
    }
    for (auto it = m_schemaByFile.begin(); it != m_schemaByFile.end();) {
        if (it.value() == schema)
            it = m_schemaByFile.erase(it);
        else
            ++it;
    }
    m_pathBySchema.remove(schema);
    return true;
}

void Connection::finalizeStatements()
{
    ++m_generation;
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
}

void Connection::close()
{
    if (!m_db)
        return;
    endReadHold();
    finalizeStatements();
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_depth = 0;
    m_schemaByFile.clear();
    m_pathBySchema.clear();
}

bool Connection::execute(const QByteArray& sql)
{
    m_lastError = {};
    if (!m_db) {
        m_lastError = EngineError::make(error::kCannotOpen, QString());
        return false;
    }
    endReadHold();
    const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc, pathOf(QStringLiteral("main")));
        return false;
    }
    return true;
}

bool Connection::runCached(const QByteArray& sql)
{
    m_lastError = {};
    sqlite3_stmt* statement = prepareCached(sql);
    if (!statement)
        return false;
    StatementScope scope(statement);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) {
        fail(rc, pathOf(QStringLiteral("main")));
        return false;
    }
    return true;
}

bool Connection::begin()
{
    endReadHold();
    const bool ok = m_depth == 0 ? runCached("BEGIN")
                                 : execute("SAVEPOINT kv_" + QByteArray::number(m_depth));
    if (ok)
        ++m_depth;
    return ok;
}

bool Connection::commit()
{
    if (m_depth == 0) {
        m_lastError = EngineError::make(error::kGeneric, QStringLiteral("COMMIT"));
        return false;
    }
    if (m_depth > 1) {
        --m_depth;
        return execute("RELEASE kv_" + QByteArray::number(m_depth));
    }
    if (runCached("COMMIT")) {
        m_depth = 0;
        return true;
    }
    // A commit that cannot finish leaves nothing half done: undo it all.
    const EngineError error = m_lastError;
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_depth = 0;
    m_lastError = error;
    return false;
}

bool Connection::rollback()
{
    if (m_depth == 0)
        return true;
    --m_depth;
    if (m_depth > 0) {
        const QByteArray name = "kv_" + QByteArray::number(m_depth);
        return execute("ROLLBACK TO " + name + "; RELEASE " + name);
    }
    // SQLite may already have rolled back by itself after an I/O error.
    if (sqlite3_get_autocommit(m_db))
        return true;
    return runCached("ROLLBACK");
}

bool Connection::tableExists(const QString& schema, const QString& table)
{
    sqlite3_stmt* statement = prepareCached(
        "SELECT 1 FROM " + quoted(schema) + ".sqlite_master WHERE type = 'table' AND name = ?");
    if (!statement)
        return false;
    StatementScope scope(statement);
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(rc, pathOf(schema));
    return rc == SQLITE_ROW;
}

QString Connection::schemaOf(const QString& fileName) const
{
    return m_schemaByFile.value(fileName.toLower());
}

QString Connection::pathOf(const QString& schema) const
{
    return m_pathBySchema.value(schema);
}

sqlite3_stmt* Connection::prepareCached(const QByteArray& sql, const void* keepHoldOf)
{
    if (!m_db) {
        m_lastError = EngineError::make(error::kCannotOpen, QString());
        return nullptr;
    }
    // Whoever asks for a statement is about to use the connection: a
    // recordset's hold must not take that use into its read transaction.
    if (m_holdOwner != keepHoldOf)
        endReadHold();
    if (sqlite3_stmt* cached = m_statements.value(sql))
        return cached;
    // Filters typed into searches vary without end; keep the cache bounded.
    // Callers take a statement just before they use it, so only statements
    // in the middle of a step are still needed.
    if (m_statements.size() >= kMaxCachedStatements) {
        ++m_generation;
        for (auto it = m_statements.begin(); it != m_statements.end();) {
            if (!sqlite3_stmt_busy(it.value())) {
                sqlite3_finalize(it.value());
                it = m_statements.erase(it);
            } else {
                ++it;
            }
        }
    }
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc, pathOf(QStringLiteral("main")));
        sqlite3_finalize(statement);
        return nullptr;
    }
    m_statements.insert(sql, statement);
    return statement;
}

} // namespace kv::data
