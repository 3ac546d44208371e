#pragma once

#include "data/engine/EngineError.h"
#include "data/engine/FilterNode.h"
#include "data/engine/TableDef.h"

#include <QString>

#include <memory>

namespace kv::data {

// Parses the filter and criteria syntax against one table:
//   expr      := term { OR term }
//   term      := factor { AND factor }
//   factor    := NOT factor | "(" expr ")" | predicate
//   predicate := operand ( compare operand | [NOT] BETWEEN operand AND operand
//                | [NOT] LIKE "pattern" )
//   operand   := column | [column] | number | "text" | #yyyy/mm/dd[ hh:mm[:ss]]#
// Keywords ignore case. Column names are checked against the table and
// literals against the column they meet.
class FilterParser {
public:
    FilterParser(const TableDef& table, const QString& expression);

    // The tree, or nullptr with error() set; an empty or blank expression
    // gives nullptr without error.
    std::unique_ptr<FilterNode> parse();
    const EngineError& error() const { return m_error; }

private:
    enum class TokenKind { End, Name, Number, Text, Date, Symbol };
    struct Token {
        TokenKind kind = TokenKind::End;
        QString text;      // Name: the name; Text: the unquoted text; Symbol: the operator
        bool bracketed = false;
    };

    bool next();
    bool readText();
    bool readDate();
    bool readNumber(bool negative);
    bool isKeyword(const char* keyword) const;

    std::unique_ptr<FilterNode> parseOr(int depth);
    std::unique_ptr<FilterNode> parseAnd(int depth);
    std::unique_ptr<FilterNode> parseFactor(int depth);
    std::unique_ptr<FilterNode> parsePredicate();
    std::unique_ptr<FilterNode> parseOperand();
    bool checkOperands(std::unique_ptr<FilterNode>& left, std::unique_ptr<FilterNode>& right);

    void fail(int code, const QString& subject = QString());

    const TableDef& m_table;
    QString m_expression;
    qsizetype m_pos = 0;
    Token m_token;
    EngineError m_error;
};

} // namespace kv::data
