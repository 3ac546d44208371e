#pragma once

#include "data/tables/DataStore.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <type_traits>
#include <vector>

namespace kv::test {

// What the record builders share: the columns given by the named setters of
// Builder or by set(), written as one new row through the table's
// recordset. Every column left alone keeps what the program gives a new
// record (0, empty text, the empty date), as the table's defaults do.
template <class Set, class Builder>
class RecordBuilder {
public:
    // Any column of the table, for those without a named setter:
    // .set(&CDaoKokSet::m_Nenga, 1).
    // The members live in the table's row, a base of the recordset.
    template <class T, class Owner, class V>
    Builder& set(T Owner::*column, const V& value)
    {
        static_assert(std::is_base_of_v<Owner, Set>, "a column of another table");
        m_setters.push_back([column, v = T(value)](Set& record) { record.*column = v; });
        return static_cast<Builder&>(*this);
    }

    // Adds the row on the store's connection (a document's: doc.store());
    // false, with a test failure, when the engine refuses it. Recordsets
    // already open elsewhere see the row after their requery.
    bool insertInto(data::DataStore& store) const
    {
        Set record(store.connectionFor(Set::tableDef()));
        if (!record.Open() || !record.AddNew()) {
            ADD_FAILURE() << record.lastError().description.toStdString();
            return false;
        }
        for (const auto& setter : m_setters)
            setter(record);
        if (!record.Update()) {
            ADD_FAILURE() << record.lastError().description.toStdString();
            return false;
        }
        return true;
    }

    // As above on a data folder no document has open yet.
    bool insertInto(const QString& dataFolder) const
    {
        data::DataStore store;
        if (!store.open(dataFolder)) {
            ADD_FAILURE() << store.lastError().description.toStdString();
            return false;
        }
        return insertInto(store);
    }

private:
    std::vector<std::function<void(Set&)>> m_setters;
};

} // namespace kv::test
