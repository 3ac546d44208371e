#pragma once

#include "controls/ListModel.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kv {

// The rows of a list as plain structs: each column is described once
// (caption, width, alignment and the text it shows of a row), a key function
// gives the code of a row's record for look-ups. Replacing, updating and
// removing rows send the model signals views and selections expect.
template <typename Row>
class TypedListModel : public ListModel {
public:
    struct Column {
        QString caption;
        int width = 100;
        Qt::Alignment alignment = Qt::AlignLeft;
        // A function, or a pointer to a member (data or const function).
        std::function<QString(const Row&)> text;
        std::optional<Qt::Alignment> headerAlignment = {};
    };
    using CodeOf = std::function<int(const Row&)>;

    TypedListModel(QList<Column> columns, CodeOf codeOf, QObject* parent = nullptr)
        : ListModel(parent), m_codeOf(std::move(codeOf))
    {
        takeColumns(std::move(columns));
    }

    // The rows stay; views see a reset.
    void setColumns(QList<Column> columns)
    {
        beginResetModel();
        takeColumns(std::move(columns));
        endResetModel();
    }

    const std::vector<Row>& rows() const { return m_rows; }
    const Row& at(int row) const { return m_rows[size_t(row)]; }
    // The row of the record of the code, nullptr when none shows it.
    const Row* find(int code) const
    {
        const int row = rowOfCode(code);
        return row < 0 ? nullptr : &at(row);
    }

    // The old rows are removed and the new ones inserted, as two steps, so
    // that a selection on the old rows is dropped with its signals.
    void replaceAll(std::vector<Row> rows)
    {
        removeRows(0, rowCount());
        if (rows.empty())
            return;
        beginInsertRows(QModelIndex(), 0, int(rows.size()) - 1);
        m_rows = std::move(rows);
        endInsertRows();
    }
    void append(Row value)
    {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
        m_rows.push_back(std::move(value));
        endInsertRows();
    }
    // The row's cells change in place; ignored outside the rows.
    void updateRow(int row, Row value)
    {
        if (row < 0 || row >= rowCount())
            return;
        m_rows[size_t(row)] = std::move(value);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1),
                         {Qt::DisplayRole});
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override
    {
        if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
            return false;
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
        endRemoveRows();
        return true;
    }
    int codeOfRow(int row) const override
    {
        return row >= 0 && row < rowCount() ? m_codeOf(at(row)) : 0;
    }

protected:
    QString cellText(int row, int column) const override
    {
        const auto& text = m_texts[size_t(column)];
        return text ? text(at(row)) : QString();
    }

private:
    void takeColumns(QList<Column> columns)
    {
        QList<ListColumn> looks;
        m_texts.clear();
        for (Column& column : columns) {
            looks.append({std::move(column.caption), column.width, column.alignment,
                          column.headerAlignment});
            m_texts.push_back(std::move(column.text));
        }
        setColumnLooks(std::move(looks));
    }

    CodeOf m_codeOf;
    std::vector<std::function<QString(const Row&)>> m_texts;
    std::vector<Row> m_rows;
};

} // namespace kv
