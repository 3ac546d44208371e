#pragma once

#include "data/engine/EngineError.h"
#include "data/engine/FilterNode.h"
#include "data/engine/SqlFragment.h"
#include "data/engine/TableDef.h"

#include <QString>

namespace kv::data {

// Turns filter, criteria and sort texts into SQL for one table. Only the
// table's own column names and fixed operators reach the SQL text; every
// literal becomes a bound value.
class FilterTranslator {
public:
    explicit FilterTranslator(const TableDef& table);

    // A WHERE condition (without the keyword); an empty expression gives an
    // empty fragment. False with error() set for a malformed expression.
    bool translateFilter(const QString& expression, SqlFragment& out);
    // An ORDER BY list (without the keyword) from "Col1, Col2 [DESC]", text
    // columns in CP932 order, always ending in rowid so that equal keys
    // keep a stable order.
    bool translateSort(const QString& sort, QByteArray& out);

    const EngineError& error() const { return m_error; }

    // The quoted SQL name of a column of the table.
    static QByteArray quotedName(const char* name);

private:
    void appendSql(const FilterNode& node, SqlFragment& out) const;
    void appendChain(const FilterNode& node, size_t first, size_t last, SqlFragment& out) const;

    const TableDef& m_table;
    EngineError m_error;
};

} // namespace kv::data
