#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace kv::data {

// The parsed form of a filter or criteria text.
struct FilterNode {
    enum class Kind { Or, And, Not, Compare, Between, Like, Column, Integer, Real, Text, Date };
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    Kind kind = Kind::Or;
    Op op = Op::Equal;                                  // Compare
    std::vector<std::unique_ptr<FilterNode>> children;  // operands or terms in order
    int column = -1;                                    // Column: index in the table
    qint64 integer = 0;                                 // Integer
    double real = 0;                                    // Real, Date (day number)
    QString text;                                       // Text
    bool grouped = false;                               // written in parentheses

    bool isLiteral() const
    {
        return kind == Kind::Integer || kind == Kind::Real || kind == Kind::Text
            || kind == Kind::Date;
    }
};

} // namespace kv::data
