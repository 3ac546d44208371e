#include "masters/core/TableEdits.h"

#include "data/engine/Recordset.h"

namespace kv::masters::TableEdits {

namespace {
QString failure(const data::Recordset& set)
{
    return set.lastError().description;
}
} // namespace

QString requery(data::Recordset& set, const QString& filter, const QString& sort)
{
    set.SetFilter(filter);
    set.SetSort(sort);
    return set.Requery() ? QString() : failure(set);
}

QString fullMessage(int maximum)
{
    return QStringLiteral("データが %1 件(最大)存在します！\nこれ以上追加することはできません")
        .arg(maximum);
}

QString openRow(data::Recordset& set, const QString& filter, const QString& sort,
                const QString& missing)
{
    if (!set.OpenWhere(filter, sort))
        return failure(set);
    return set.IsEOF() ? missing : QString();
}

QString begin(data::Recordset& set, bool adding)
{
    return (adding ? set.AddNew() : set.Edit()) ? QString() : failure(set);
}

QString store(data::Recordset& set)
{
    if (set.Update())
        return {};
    const QString message = failure(set);
    set.CancelUpdate();
    return message;
}

QString removeRow(data::Recordset& set, const QString& filter, const QString& sort,
                  const QString& missing)
{
    const QString refusal = openRow(set, filter, sort, missing);
    if (!refusal.isEmpty())
        return refusal;
    return set.Delete() ? QString() : failure(set);
}

} // namespace kv::masters::TableEdits
