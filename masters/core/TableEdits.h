#pragma once

#include <QString>

namespace kv::data {
class Recordset;
}

namespace kv::masters {

// The steps the master tables' stores take on a shared recordset; each
// returns the message to show, empty when the step went through.
namespace TableEdits {

// The whole table in its order, its rows counted: full when it has
// maximum rows or more.
QString requery(data::Recordset& set, const QString& filter, const QString& sort);
QString fullMessage(int maximum);
// The row of the filter becomes current; missing when there is none.
QString openRow(data::Recordset& set, const QString& filter, const QString& sort,
                const QString& missing);
// AddNew (adding) or Edit of the current row.
QString begin(data::Recordset& set, bool adding);
// Update after begin; a refused update is cancelled.
QString store(data::Recordset& set);
// The row of the filter deleted; missing when there is none.
QString removeRow(data::Recordset& set, const QString& filter, const QString& sort,
                  const QString& missing);

} // namespace TableEdits

} // namespace kv::masters
