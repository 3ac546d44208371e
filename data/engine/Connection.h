#pragma once

#include "data/engine/EngineError.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

class QObject;
struct sqlite3;
struct sqlite3_stmt;

namespace kv::data {

enum class OpenMode {
    ReadWrite, // shared read-write; the file must exist
    ReadOnly,  // shared read-only; the file must exist
    Create,    // a new file; fails when it exists already
};

// One SQLite connection. The file opened first is the schema "main"; the
// other database files are attached to it under their own schema names, so
// that every table a process uses shares the connection and one transaction
// can span files (rollback journal: SQLite commits attached files together
// through a super-journal beside the main file).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool open(const QString& path, OpenMode mode = OpenMode::ReadWrite);
    bool attach(const QString& path, const QString& schema, OpenMode mode = OpenMode::ReadWrite);
    bool detach(const QString& schema);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs trusted SQL of our own (schema creation, pragmas); never text
    // from a user or a filter.
    bool execute(const QByteArray& sql);

    // Transactions nest: the outermost begin/commit is the real one, inner
    // ones are savepoints.
    bool begin();
    bool commit();
    bool rollback();
    int transactionDepth() const { return m_depth; }

    // A read transaction one recordset keeps over a run of moves, so that
    // the run takes the files' shared locks once rather than once per row.
    // While it lasts no other process can commit to the file read, so every
    // row read is still the current one. It ends at endReadHold(), at any
    // other use of the connection (a statement asked for, a unit of work
    // begun), and at the latest when control returns to the event loop.
    // Inside a unit of work or a ReadSnapshot there is nothing to hold.
    void beginReadHold(const void* owner);
    void endReadHold();
    const void* readHoldOwner() const { return m_holdOwner; }

    bool tableExists(const QString& schema, const QString& table);

    // Schema under which the file (by its name, "010.mdb") is reachable;
    // empty when it is not open on this connection.
    QString schemaOf(const QString& fileName) const;
    QString pathOf(const QString& schema) const;

    // A prepared statement kept for the life of the attachment set; the
    // caller resets it after use (StatementScope). nullptr with lastError()
    // set on failure.
    // Asking ends any read hold but that of keepHoldOf.
    sqlite3_stmt* prepareCached(const QByteArray& sql, const void* keepHoldOf = nullptr);

    // Changes whenever cached statements are finalized, so that holders of
    // a statement pointer know to ask again.
    quint64 statementGeneration() const { return m_generation; }

    // Records an SQLite failure as the connection's last error and returns it.
    const EngineError& fail(int sqliteCode, const QString& subject);
    const EngineError& lastError() const { return m_lastError; }
    void setError(const EngineError& error) { m_lastError = error; }

    sqlite3* handle() const { return m_db; }

private:
    bool runCached(const QByteArray& sql);
    bool prepareSchema(const QString& schema, const QString& path, OpenMode mode);
    void finalizeStatements();
    static QByteArray uriFor(const QString& path, OpenMode mode);
    bool checkFile(const QString& path, OpenMode mode);

    bool stepOwn(const QByteArray& sql);

    sqlite3* m_db = nullptr;
    int m_depth = 0;
    const void* m_holdOwner = nullptr;
    bool m_holdEndQueued = false;
    std::unique_ptr<QObject> m_holdTimerContext; // ends a hold from the event loop
    quint64 m_generation = 0;
    QHash<QByteArray, sqlite3_stmt*> m_statements;
    QHash<QString, QString> m_schemaByFile; // lower-case file name -> schema
    QHash<QString, QString> m_pathBySchema;
    EngineError m_lastError;
};

} // namespace kv::data
