#pragma once

#include "records/search/QueryFormValues.h"

#include <QString>

namespace kv::data {
struct TableDef;
}

namespace kv::records::search {

// The filter of one table built from the query form: one clause per filled
// field, joined by AND or OR. Texts become Like clauses with the typed text
// as the pattern (the user may type the wildcards * ? # [..]), numbers
// "= n", dates a Between over the whole day. A text the engine could not
// take as a pattern (a double quote, an unclosed bracket) is refused here,
// naming the field and the engine's own message, before any table is read:
// the user's text never reaches the filter as anything but one literal.
class QueryConditions {
public:
    enum class Joiner { And = 0, Or = 1 };

    struct Result {
        bool ok = true;
        QString filter;        // empty when no field is filled
        QString failedColumn;  // the refused field
        QString message;       // what to tell the user
    };

    // The columns the query form may name, per table, in the order the
    // clauses are written.
    static bool isQueryColumn(const data::TableDef& table, const QString& column);

    static Result build(const data::TableDef& table, const QueryFormValues& values, Joiner joiner);
    // The customer filter: the conditions, placeholders left out.
    static Result buildCustomerFilter(const QueryFormValues& values, Joiner joiner);
    static Result buildVehicleFilter(const QueryFormValues& values, Joiner joiner);
};

} // namespace kv::records::search
