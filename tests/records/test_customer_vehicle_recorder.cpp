// The recording and deleting flows over plain rows, without any window.

#include "records/CustomerVehicleRecorder.h"
#include "records/NewRecordCodes.h"

#include "data/document/DocumentTestFolder.h"
#include "data/service/ShareLockAction.h"
#include "data/tables/DaoRecordsets.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "support/Utf8.h"

using namespace kv::test;
using kv::records::CustomerVehicleRecorder;
using kv::records::NewRecordCodes;
using kv::records::RecordKind;

namespace {

class Reservations final : public kv::records::ReservationHost {
public:
    int reservedCode(RecordKind kind) const override { return codes[int(kind)]; }
    void setReservedCode(RecordKind kind, int code) override { codes[int(kind)] = code; }
    void discardReservation(RecordKind kind) override { codes[int(kind)] = 0; }
    int previousSearchMode() const override { return 1; }
    int codes[2] = {0, 0};
};

class Recorder : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        sql("INSERT INTO f010.Kok (KokCode, UserName1, Hoyu) VALUES (1, '山田', 2),"
            " (5, '新規作成中', 0), (6, '佐藤', 500)");
        sql("INSERT INTO f009.Car (CarCode, KokCode, Syatai) VALUES (10, 1, 'A'), (11, 1, 'B')");
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
        ASSERT_TRUE(doc->balances().Requery());
        recorder = std::make_unique<CustomerVehicleRecorder>(*doc);
    }
    void sql(const QByteArray& text) { DocumentTestFolder::sql(*doc, text); }
    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }
    kv::data::KokRow customer(int code)
    {
        EXPECT_TRUE(doc->FindCustomer(code));
        return doc->customers().row();
    }

    DocumentTestFolder folder;
    kv::lan::RecordingChangeAnnouncer announcer;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<CustomerVehicleRecorder> recorder;
    Reservations reservations;
};

TEST_F(Recorder, TheReferrerMustBeARealCustomer)
{
    kv::data::KokRow row = customer(1);
    for (const int referrer : {0, 1, 6}) {
        row.m_SyoukaiKokCode = referrer;
        EXPECT_TRUE(recorder->checkReferrer(row).done) << referrer;
    }
    // Unknown, and a placeholder under entry elsewhere: neither is a referrer.
    for (const int referrer : {99, 5}) {
        row.m_SyoukaiKokCode = referrer;
        const auto outcome = recorder->checkReferrer(row);
        EXPECT_FALSE(outcome.done) << referrer;
        EXPECT_EQ(outcome.message, u("該当紹介元顧客が存在しません！"));
        EXPECT_EQ(outcome.focus, kv::records::PanelField::SyoukaiKokCode);
        // The customer view stays on the customer being recorded.
        EXPECT_EQ(doc->customers().m_KokCode, 1);
    }
}

TEST_F(Recorder, RecordingTakesTheValuesButNeverTheCodeOrTheCount)
{
    kv::data::KokRow row = customer(1);
    row.m_OwnerName1 = u("山田商店");
    row.m_Hoyu = 99;
    kv::data::CarRow car;
    ASSERT_TRUE(doc->FindVehicle(10));
    car = doc->vehicles().row();
    car.m_Syatai = u("Z-1");
    ASSERT_TRUE(recorder->recordCurrent(row, &car).done);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 1 AND Hoyu = 2"
                     " AND OwnerName1 = '山田商店'"),
              1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car WHERE CarCode = 10 AND Syatai = 'Z-1'"), 1);
    EXPECT_EQ(announcer.texts(), QStringList{"KokCarRequery"});

    row.m_KokCode = 42;
    const auto missing = recorder->recordCurrent(row, nullptr);
    EXPECT_FALSE(missing.done);
    EXPECT_EQ(missing.message, u("該当顧客が存在しません！"));
}

TEST_F(Recorder, ANewVehicleBeyondTheLimitWritesNothing)
{
    NewRecordCodes codes(*doc, reservations);
    int code = 0;
    ASSERT_TRUE(codes.startVehicle(6, &code).done);
    ASSERT_NE(code, 0);
    kv::data::CarRow car;
    car.m_CarCode = code;
    car.m_KokCode = 6;
    car.m_Syatai = u("X");
    const auto outcome = recorder->recordNewVehicle(car);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.message, u("車輌が 500件 (最大)存在します！\n"
                                 "これ以上車輌を新規に追加することはできません"));
    EXPECT_EQ(scalar("SELECT Hoyu FROM f010.Kok WHERE KokCode = 6"), 500);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car WHERE Syatai = 'X'"), 0);
    EXPECT_TRUE(announcer.texts().isEmpty());
}

TEST_F(Recorder, ANewCustomerGetsItsBalanceAndGivesUpItsLock)
{
    NewRecordCodes codes(*doc, reservations);
    const int code = codes.startCustomer();
    ASSERT_EQ(code, 2);
    kv::data::KokRow row;
    row.m_KokCode = code;
    row.m_UserName1 = u("田中");
    ASSERT_TRUE(recorder->recordNewCustomer(row).done);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 2 AND UserName1 = '田中'"), 1);
    EXPECT_EQ(scalar("SELECT KuriZan FROM f014.Zan WHERE KokCode = 2"), 0);
    EXPECT_EQ(announcer.texts(), QStringList{"KokRequery"});
    // Released: another computer may claim the code now.
    auto other = folder.open(1, "PC2");
    EXPECT_TRUE(other->ShareLock("NewKokDummy", "PC2", 2, kv::data::ShareLockAction::Claim));
}

TEST_F(Recorder, TypedCodesOutOfRangeAreNotLeftStanding)
{
    NewRecordCodes codes(*doc, reservations);
    ASSERT_EQ(codes.startCustomer(), 2);
    for (const char* typed : {"-3", "1000000", "x"}) {
        const NewRecordCodes::Verdict verdict = codes.codeTyped(RecordKind::Customer, u(typed));
        EXPECT_FALSE(verdict.accepted) << typed;
        EXPECT_EQ(verdict.text, QString()) << typed;
        EXPECT_EQ(verdict.message, u("顧客コードには１から９９９９９９迄の整数を入力してくだい！"));
    }
}

TEST_F(Recorder, TheOwnerOfANewVehicleNeverBlocksThatVehicleCode)
{
    NewRecordCodes codes(*doc, reservations);
    int code = 0;
    // This computer enters a vehicle for customer 1; a vehicle code 1 is
    // another thing altogether.
    ASSERT_TRUE(codes.startVehicle(1, &code).done);
    auto other = folder.open(1, "PC2");
    EXPECT_TRUE(other->ShareLock("NewCarDummy", "PC2", 1,
                                 kv::data::ShareLockAction::IsHeldElsewhere));
    EXPECT_FALSE(other->ShareLock("NewCarDummy", "PC2", NewRecordCodes::ownerKey(1),
                                  kv::data::ShareLockAction::IsHeldElsewhere))
        << "the owner itself stays guarded";
}

} // namespace
