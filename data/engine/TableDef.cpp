#include "data/engine/TableDef.h"

namespace kv::data {

int TableDef::columnIndex(QStringView columnName) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columnName.compare(QLatin1String(columns[i].name), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace kv::data
