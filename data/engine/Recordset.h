#pragma once

#include "data/engine/Connection.h"
#include "data/engine/EngineError.h"
#include "data/engine/FieldExchange.h"
#include "data/engine/SqlFragment.h"
#include "data/engine/TableDef.h"

#include <QHash>
#include <QString>

#include <vector>

namespace kv::data {

// An updatable view of one table (a dynaset). Requery takes the row ids of
// the admitted rows in the current order (a keyset); every move reads the
// row at the cursor afresh, so another process's change shows at once and a
// row it deleted reads as deleted. Rows other processes add appear after
// the next Requery. Consecutive MoveNext or MovePrev calls read their rows
// in pages of kRowsPerHold under one read transaction (Connection's read
// hold): no other process can commit while a page is read, so a deleted row
// still reads as deleted, and a writer gets in between two pages. Any other
// call ends the page. Failures return false and leave lastError().
class Recordset {
public:
    static constexpr int kRowsPerHold = 64;

    Recordset(Connection& connection, const TableDef& table);
    virtual ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    const TableDef& table() const { return m_table; }
    Connection& connection() const { return m_connection; }

    // Opens with the current filter and sort: the first row is current.
    bool Open();
    // Opens with the current filter and sort (checked) but reads no rows:
    // the view is empty until the next Requery. For a view over a large
    // table that every user filters and requeries before reading.
    bool OpenWithoutRows();
    // Opens with this filter and sort in place of the current ones.
    bool OpenWhere(const QString& filter, const QString& sort = {});
    void Close();
    bool IsOpen() const { return m_open; }

    void SetFilter(const QString& filter) { m_filter = filter; }
    const QString& GetFilter() const { return m_filter; }
    void SetSort(const QString& sort) { m_sort = sort; }
    const QString& GetSort() const { return m_sort; }
    // Re-reads the admitted rows; the first becomes current. On a bad
    // filter or sort the view is empty and the error is kept.
    bool Requery();

    // The first row of the view, in its order, that meets the criteria
    // becomes current. False when none does (lastError() is clear) or the
    // criteria are malformed (lastError() tells).
    bool FindFirst(const QString& criteria);

    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrev();
    bool IsBOF() const;
    bool IsEOF() const;
    // The current row no longer exists (deleted here or by another process).
    bool IsDeleted() const { return m_currentDeleted; }
    long GetRecordCount() const { return long(m_keys.size()); }
    // Position of the current row in the view, 0 for the first, in percent.
    float GetPercentPosition() const;

    // AddNew fills the members with the table's defaults; Update stores
    // them, reads the new row back (auto-numbered columns included) and
    // makes it current, at the end of the view.
    bool AddNew();
    // Edit re-reads the current row; it fails when the row is gone.
    bool Edit();
    bool Update();
    void CancelUpdate();
    // Removes the current row; MoveNext then goes to the row that followed.
    bool Delete();
    // Reads the current row again into the members.
    bool RefreshCurrent();

    bool isEditing() const { return m_editMode != EditMode::None; }
    // Row id of the current row, 0 without one.
    qint64 currentRowId() const;

    const EngineError& lastError() const { return m_error; }

protected:
    // Moves every column, in table order, through the exchange.
    virtual void exchange(FieldExchange& fx) = 0;

private:
    enum class EditMode { None, Add, Edit };
    // A statement of this recordset, prepared once and asked for again only
    // when the connection has finalized its statements.
    struct OwnStatement {
        QByteArray sql;
        sqlite3_stmt* statement = nullptr;
        quint64 generation = 0;
    };
    sqlite3_stmt* prepared(OwnStatement& own);

    bool fail(const EngineError& error);
    bool failSqlite(int sqliteCode);
    bool requireOpen();
    bool requireCurrent();
    bool loadCurrent(bool walking = false);
    void setDefaults();
    bool moveTo(qsizetype position, bool walking = false);
    bool prepareOpen();
    void endHold();
    bool insertRow();
    bool updateRow();

    Connection& m_connection;
    const TableDef& m_table;
    bool m_open = false;
    QString m_filter;
    QString m_sort;
    QByteArray m_from;         // "schema"."table"
    QByteArray m_columnList;   // "c1", "c2", ...
    OwnStatement m_readRow;
    OwnStatement m_insertRow;
    OwnStatement m_updateRow;
    OwnStatement m_deleteRow;
    SqlFragment m_where;       // the translated filter of the last Requery
    QByteArray m_orderBy;      // the translated sort of the last Requery

    std::vector<qint64> m_keys;
    QHash<qint64, qsizetype> m_positionOfKey; // built for FindFirst, on demand
    bool m_positionsValid = false;
    qsizetype m_position = -1;   // -1 before the first row, size() after the last
    bool m_afterDelete = false;  // m_position names the row after a deleted one
    bool m_currentDeleted = false;
    int m_rowsInHold = 0;
    EditMode m_editMode = EditMode::None;
    EngineError m_error;
};

} // namespace kv::data
