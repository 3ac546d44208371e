#include "data/engine/FilterTranslator.h"

#include "data/engine/EngineFunctions.h"
#include "data/engine/FilterParser.h"

#include <QStringList>

namespace kv::data {

FilterTranslator::FilterTranslator(const TableDef& table)
    : m_table(table)
{
}

QByteArray FilterTranslator::quotedName(const char* name)
{
    // Column names come from the column table, never from an expression;
    // quoting keeps names such as "Date" or "Top" from meeting SQL keywords.
    return '"' + QByteArray(name) + '"';
}

bool FilterTranslator::translateFilter(const QString& expression, SqlFragment& out)
{
    out = {};
    m_error = {};
    FilterParser parser(m_table, expression);
    std::unique_ptr<FilterNode> root = parser.parse();
    if (parser.error().isError()) {
        m_error = parser.error();
        return false;
    }
    if (root)
        appendSql(*root, out);
    return true;
}

void FilterTranslator::appendSql(const FilterNode& node, SqlFragment& out) const
{
    using Kind = FilterNode::Kind;
    switch (node.kind) {
    case Kind::Or:
    case Kind::And:
        appendChain(node, 0, node.children.size(), out);
        return;
    case Kind::Not:
        out.sql += "(NOT ";
        appendSql(*node.children[0], out);
        out.sql += ')';
        return;
    case Kind::Compare: {
        static const char* const ops[] = {" = ", " <> ", " < ", " <= ", " > ", " >= "};
        out.sql += '(';
        appendSql(*node.children[0], out);
        out.sql += ops[int(node.op)];
        appendSql(*node.children[1], out);
        out.sql += ')';
        return;
    }
    case Kind::Between:
        out.sql += '(';
        appendSql(*node.children[0], out);
        out.sql += " BETWEEN ";
        appendSql(*node.children[1], out);
        out.sql += " AND ";
        appendSql(*node.children[2], out);
        out.sql += ')';
        return;
    case Kind::Like:
        out.sql += kLikeFunction;
        out.sql += '(';
        appendSql(*node.children[1], out);
        out.sql += ", ";
        appendSql(*node.children[0], out);
        out.sql += ')';
        return;
    case Kind::Column:
        out.sql += quotedName(m_table.columns[size_t(node.column)].name);
        return;
    case Kind::Integer:
        out.sql += '?';
        out.values.emplace_back(node.integer);
        return;
    case Kind::Real:
    case Kind::Date:
        out.sql += '?';
        out.values.emplace_back(node.real);
        return;
    case Kind::Text:
        out.sql += '?';
        out.values.emplace_back(node.text);
        return;
    }
}

void FilterTranslator::appendChain(const FilterNode& node, size_t first, size_t last,
                                   SqlFragment& out) const
{
    // Terms of a long chain are paired up as a balanced tree, so that the
    // SQL stays shallow however many terms a search joins.
    if (last - first == 1) {
        appendSql(*node.children[first], out);
        return;
    }
    const size_t middle = first + (last - first) / 2;
    out.sql += '(';
    appendChain(node, first, middle, out);
    out.sql += node.kind == FilterNode::Kind::Or ? " OR " : " AND ";
    appendChain(node, middle, last, out);
    out.sql += ')';
}

bool FilterTranslator::translateSort(const QString& sort, QByteArray& out)
{
    out.clear();
    m_error = {};
    if (!sort.trimmed().isEmpty()) {
        const QStringList items = sort.split(u',');
        for (const QString& rawItem : items) {
            QString item = rawItem.trimmed();
            bool descending = false;
            const qsizetype blank = item.lastIndexOf(u' ');
            if (blank > 0) {
                const QString direction = item.mid(blank + 1);
                if (direction.compare(u"DESC", Qt::CaseInsensitive) == 0)
                    descending = true;
                else if (direction.compare(u"ASC", Qt::CaseInsensitive) != 0) {
                    m_error = EngineError::make(error::kSyntax, sort);
                    return false;
                }
                item = item.left(blank).trimmed();
            }
            if (item.size() > 2 && item.startsWith(u'[') && item.endsWith(u']'))
                item = item.mid(1, item.size() - 2);
            if (item.isEmpty() || item.contains(u'[') || item.contains(u']')) {
                m_error = EngineError::make(error::kSyntax, sort);
                return false;
            }
            const int column = m_table.columnIndex(item);
            if (column < 0) {
                m_error = EngineError::make(error::kUnknownColumn, item);
                return false;
            }
            out += quotedName(m_table.columns[size_t(column)].name);
            if (m_table.isText(column)) {
                out += " COLLATE ";
                out += kTextCollation;
            }
            if (descending)
                out += " DESC";
            out += ", ";
        }
    }
    out += "rowid";
    return true;
}

} // namespace kv::data
