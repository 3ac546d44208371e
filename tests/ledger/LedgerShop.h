#pragma once

// A shop for the ledger window tests: a fresh data folder with customer 1
// (山田太郎) owning vehicle 10, a carried-forward balance of 5,000, the job
// categories 1 一般整備 and 2 入金 (the payment kind), and a tax of 10 %
// rounded down to the yen.

#include "data/document/DocumentTestFolder.h"
#include "support/CustomerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <memory>

namespace kv::test {

class LedgerShop : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(CustomerBuilder(1).name(u("山田"), u("太郎")).vehicles(1).insertInto(doc->store()));
        ASSERT_TRUE(VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234)
                        .insertInto(doc->store()));
        sql("INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (1, 5000)");
        sql("DELETE FROM f004.NyuukoKbn");
        sql("INSERT INTO f004.NyuukoKbn (NyuukoKbnCode, NyuukoKbn, NyuukoKind)"
            " VALUES (1, '一般整備', 1), (2, '入金', 99)");
        data::RoundingSettings& rounding = doc->settings().rounding();
        rounding.taxRate = 0.10;
        rounding.tax = {0, 0};
    }

    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }
    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }

    DocumentTestFolder folder;
    TempFolder profileFolder;
    QSettings profile{profileFolder.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<data::CCarMaintenanceDoc> doc;
};

} // namespace kv::test
