#pragma once

#include "data/engine/Connection.h"
#include "data/engine/Recordset.h"
#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::test {

// A fresh data folder with the schema of every file, opened on one
// connection the way the program opens it.
struct EngineTestFolder {
    TempFolder folder;
    kv::data::DataStore store;
    kv::data::Connection& connection = store.mainConnection();
    kv::data::Connection& pickLists = store.pickListConnection();

    EngineTestFolder()
    {
        kv::data::EngineError error;
        EXPECT_TRUE(kv::data::createDataFolderDatabases(folder.path(), &error))
            << error.description.toStdString();
        EXPECT_TRUE(store.open(folder.path())) << store.lastError().description.toStdString();
    }

    // Runs our own setup SQL on the main connection or the one given.
    void sql(const QByteArray& text) { sql(connection, text); }
    void sql(kv::data::Connection& on, const QByteArray& text)
    {
        ASSERT_TRUE(on.execute(text))
            << on.lastError().description.toStdString() << " in " << text.constData();
    }
};

// A recordset over any table that only tells row ids.
class RowIdSet final : public kv::data::Recordset {
public:
    using Recordset::Recordset;

protected:
    void exchange(kv::data::FieldExchange&) override {}
};

// Row ids of the view from the first row on.
inline std::vector<qint64> rowIdsOf(kv::data::Recordset& set)
{
    std::vector<qint64> ids;
    if (set.IsEOF())
        return ids;
    set.MoveFirst();
    while (!set.IsEOF()) {
        ids.push_back(set.currentRowId());
        set.MoveNext();
    }
    return ids;
}

} // namespace kv::test
