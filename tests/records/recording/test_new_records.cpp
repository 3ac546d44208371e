// New customers and vehicles: reserved and typed codes, recording them.

#include "RecordingFixture.h"

using namespace kv::test;
using F = kv::records::PanelField;

namespace {

using NewRecords = RecordingFixture;

TEST_F(NewRecords, TypedCustomerCodesFollowTheReservationRules)
{
    ASSERT_EQ(newCustomer(), 2);
    EXPECT_EQ(shown(F::KokCode), "2");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 2 AND UserName1 = '新規作成中'"), 1);
    EXPECT_TRUE(panel->customerGroupEnabled());
    EXPECT_FALSE(panel->vehicleGroupEnabled());
    EXPECT_FALSE(edit(F::KokCode)->isReadOnly());
    EXPECT_EQ(panel->heldValues().index(F::Nenga), 1);
    EXPECT_EQ(panel->heldValues().index(F::Sama), 1);

    struct Case {
        const char* typed;
        const char* message; // nullptr: none
        const char* shownAfter;
        int reserved;
    };
    const Case cases[] = {
        {"3", "指定された顧客コードが既に存在します！\n未使用顧客コードを選択して下さい\n"
              "(OKを押すと一番若い未使用顧客コードが表示されます)", "2", 2},
        {"50", nullptr, "50", 50},
        {"0", nullptr, "2", 2},
        // Letters never get into the field: it is left empty.
        {"abc", "顧客コードには１から９９９９９９迄の整数を入力してくだい！", "", 2},
        {"999999", nullptr, "999999", 999999},
        {"007", nullptr, "7", 7},
        {"7", nullptr, "7", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        folder.messages.clear();
        type(F::KokCode, u(c.typed));
        EXPECT_EQ(messages(), c.message ? QStringList{u(c.message)} : QStringList{});
        EXPECT_EQ(edit(F::KokCode)->text(), u(c.shownAfter));
        EXPECT_EQ(host->reserved[0], c.reserved);
        // Exactly one placeholder: the reserved code's.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE UserName1 = '新規作成中'"), 1);
        EXPECT_EQ(scalar("SELECT MAX(KokCode) FROM f010.Kok WHERE UserName1 = '新規作成中'"),
                  c.reserved);
    }
}

TEST_F(NewRecords, RecordingANewCustomerWritesItsFieldsAndABalance)
{
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中商店"));
    type(F::Furi, u("ﾀﾅｶ"));
    type(F::Tel1, u("045-000-1111"));
    // The owner's name went into the empty user name as it was typed.
    EXPECT_EQ(shown(F::UserName1), u("田中商店"));

    ASSERT_TRUE(recorder->RecordNewCustomer()) << messages().join('|').toStdString();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 2 AND UserName1 = '田中商店'"
                     " AND Furi = 'ﾀﾅｶ' AND Tel1 = '045-000-1111' AND Nenga = 1 AND Sama = 1"),
              1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f014.Zan WHERE KokCode = 2 AND KuriZan = 0"), 1);
    EXPECT_EQ(host->reserved[0], 0);
    EXPECT_TRUE(edit(F::KokCode)->isReadOnly());
    EXPECT_EQ(panel->customerTotalText(), "4");
    EXPECT_EQ(panel->modeText(), u("顧客ｺｰﾄﾞ順"));
    EXPECT_EQ(announcer.texts(), QStringList{"KokRequery"});
}

TEST_F(NewRecords, ACodeNoLongerThisComputersIsRefusedAndWhatWasTypedStays)
{
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中商店"));
    // Meanwhile the placeholder became another computer's.
    sql("UPDATE f010.Kok SET KokBiko1 = 'PC-9' WHERE KokCode = 2");

    EXPECT_FALSE(recorder->RecordNewCustomer());
    EXPECT_EQ(messages(), QStringList{u("この顧客コードは確保されていません！\n顧客コードを入力し直してから記録して下さい")});
    EXPECT_EQ(shown(F::OwnerName1), u("田中商店"));
    EXPECT_EQ(host->reserved[0], 0) << "not this computer's to drop";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 2 AND UserName1 = '新規作成中'"
                     " AND KokBiko1 = 'PC-9'"), 1);

    // The code asked for afresh gives the next free one; then it records.
    folder.messages.clear();
    type(F::KokCode, u("2"));
    EXPECT_EQ(edit(F::KokCode)->text(), u("5")) << "the lowest free code";
    ASSERT_TRUE(recorder->RecordNewCustomer()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 5 AND UserName1 = '田中商店'"), 1);
}

TEST_F(NewRecords, ABalanceAlreadyThereIsKept)
{
    sql("INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (2, 777)");
    ASSERT_TRUE(doc->balances().Requery());
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中"));
    ASSERT_TRUE(recorder->RecordNewCustomer());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f014.Zan WHERE KokCode = 2"), 1);
    EXPECT_EQ(scalar("SELECT KuriZan FROM f014.Zan WHERE KokCode = 2"), 777);
}

TEST_F(NewRecords, RecordingRefusesAFaultyFieldAndWritesNothing)
{
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中"));
    // Two faults set behind the fields' backs: the earlier one in the
    // recording order is reported, and nothing is written.
    edit(F::Shime1)->setText("45");
    edit(F::Post)->setText("1-2");
    EXPECT_FALSE(recorder->RecordNewCustomer());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(edit(F::Post)->hasFocus());
    EXPECT_EQ(scalar("SELECT UserName1 = '新規作成中' FROM f010.Kok WHERE KokCode = 2"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f014.Zan WHERE KokCode = 2"), 0);
    EXPECT_TRUE(announcer.texts().isEmpty());

    folder.messages.clear();
    edit(F::Post)->setText("");
    EXPECT_FALSE(recorder->RecordNewCustomer());
    EXPECT_EQ(messages(), QStringList{u("0から31迄の整数を入力してくだい！")});
    EXPECT_TRUE(edit(F::Shime1)->hasFocus());
}

TEST_F(NewRecords, ANewVehicleNeedsACustomer)
{
    int code = -1;
    EXPECT_FALSE(entry->NewVehicle(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(messages(), QStringList{u("顧客が選択されていません！\n車輌を単独で追加することはできません")});
    EXPECT_FALSE(panel->vehicleGroupEnabled());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car"), 3);
}

TEST_F(NewRecords, RecordingANewVehicleCountsItForItsOwner)
{
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    host->previousMode = 1;
    int code = 0;
    ASSERT_TRUE(entry->NewVehicle(&code));
    EXPECT_EQ(code, 1);
    host->reserved[1] = code;
    host->currentMode = 101;
    EXPECT_FALSE(panel->customerGroupEnabled());
    EXPECT_TRUE(panel->vehicleGroupEnabled());
    EXPECT_EQ(shown(F::CarCode), "1");
    EXPECT_EQ(shown(F::Jibai), "0");
    EXPECT_EQ(shown(F::Haikiryo), "0.00");

    type(F::CarCode, "12");
    EXPECT_EQ(host->reserved[1], 12);
    type(F::Rikuji, u("横浜"));
    type(F::Preno, "5678");
    type(F::Syatai, "XYZ-1");
    ASSERT_TRUE(recorder->RecordNewVehicle()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car WHERE CarCode = 12 AND KokCode = 3"
                     " AND Rikuji = '横浜' AND Preno = 5678 AND Syatai = 'XYZ-1'"),
              1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f009.Car WHERE Syatai = '新規作成中'"), 0);
    EXPECT_EQ(scalar("SELECT Hoyu FROM f010.Kok WHERE KokCode = 3"), 1);
    EXPECT_EQ(shown(F::Hoyu), "1");
    EXPECT_TRUE(panel->customerGroupEnabled());
    EXPECT_TRUE(edit(F::CarCode)->isReadOnly());
    EXPECT_EQ(host->reserved[1], 0);
    EXPECT_EQ(panel->vehicleTotalText(), "4");
    EXPECT_EQ(announcer.texts(), QStringList{"KokCarRequery"});
}

TEST_F(NewRecords, The501stVehicleIsRefused)
{
    sql("UPDATE f010.Kok SET Hoyu = 500 WHERE KokCode = 3");
    ASSERT_TRUE(doc->customers().Requery());
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    int code = 0;
    ASSERT_TRUE(entry->NewVehicle(&code));
    host->currentMode = 101;
    type(F::Syatai, "XYZ-2");
    EXPECT_FALSE(recorder->RecordNewVehicle());
    EXPECT_EQ(messages(), QStringList{u("車輌が 500件 (最大)存在します！\n"
                                        "これ以上車輌を新規に追加することはできません")});
    EXPECT_EQ(scalar("SELECT Syatai = '新規作成中' FROM f009.Car WHERE CarCode = 1"), 1);
    EXPECT_EQ(scalar("SELECT Hoyu FROM f010.Kok WHERE KokCode = 3"), 500);
}

} // namespace
