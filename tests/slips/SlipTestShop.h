#pragma once

// A shop for the slip tests: a fresh data folder with customer 1 (山田) and
// its vehicle 10, the document's views showing them.

#include "data/document/DocumentTestFolder.h"
#include "support/CustomerBuilder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv::test {

class SlipTestShop : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(CustomerBuilder(1).name(u("山田")).insertInto(doc->store()));
        ASSERT_TRUE(VehicleBuilder(10).owner(1).insertInto(doc->store()));
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
    }

    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
};

} // namespace kv::test
