#include "controls/ListModel.h"

namespace kv {

ListModel::ListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int ListModel::rowOfCode(int code) const
{
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row)
        if (codeOfRow(row) == code)
            return row;
    return -1;
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(m_columns[index.column()].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    if (role == Qt::TextAlignmentRole && m_columns[section].headerAlignment)
        return int(*m_columns[section].headerAlignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

} // namespace kv
