// What recording does and does not do beyond writing the fields: no side
// effects of its checks, the checks in their order, the referrer, the base
// of use as shown afterwards.

#include "RecordingFixture.h"

#include "controls/CComboBoxEn.h"

using namespace kv::test;
using F = kv::records::PanelField;

namespace {

using RecordingRules = RecordingFixture;

TEST_F(RecordingRules, LinesTheUserEmptiedStayEmpty)
{
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中商店"));
    type(F::OwnerJyu1, u("横浜市中区1-1"));
    ASSERT_EQ(shown(F::UserName1), u("田中商店"));
    // The user wants no user name and no base of use.
    type(F::UserName1, QString());
    type(F::UseBase1, QString());
    ASSERT_TRUE(recorder->RecordNewCustomer()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 2 AND UserName1 = ''"
                     " AND UseBase1 = '' AND OwnerName1 = '田中商店'"),
              1);
    EXPECT_EQ(shown(F::UserName1), QString());
}

TEST_F(RecordingRules, ABaseOfUseEqualToTheAddressIsShownAsTheMarkerAfterRecording)
{
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    type(F::UserJyu1, u("東京都港区1-1"));
    type(F::UserJyu2, u("ビル3F"));
    type(F::UseBase1, u("東京都港区1-1"));
    type(F::UseBase2, QString());
    ASSERT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 3"
                     " AND UseBase1 = '東京都港区1-1' AND UseBase2 = 'ビル3F'"),
              1);
    EXPECT_EQ(edit(F::UseBase1)->text(), u("＊＊＊"));
    EXPECT_EQ(edit(F::UseBase2)->text(), QString());
}

TEST_F(RecordingRules, AnUnknownReferrerIsResetAndStopsTheRecording)
{
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    type(F::Tel1, "099-1");
    kv::records::PanelValues values = panel->heldValues();
    values.setText(F::SyoukaiKokCode, "77");
    panel->showValues(values, true, false);
    EXPECT_FALSE(recorder->RecordCurrent());
    EXPECT_EQ(messages(), QStringList{u("該当紹介元顧客が存在しません！")});
    EXPECT_EQ(shown(F::SyoukaiKokCode), "0");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f010.Kok WHERE Tel1 = '099-1'"), 0);
    folder.messages.clear();
    ASSERT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT SyoukaiKokCode FROM f010.Kok WHERE KokCode = 3 AND Tel1 = '099-1'"), 0);

    values = panel->heldValues();
    values.setText(F::SyoukaiKokCode, "4");
    panel->showValues(values, true, false);
    ASSERT_TRUE(recorder->RecordCurrent()) << messages().join('|').toStdString();
    EXPECT_EQ(scalar("SELECT SyoukaiKokCode FROM f010.Kok WHERE KokCode = 3"), 4);
}

TEST_F(RecordingRules, OfTwoDatesWithoutEraTheFirstInTheOrderIsReported)
{
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    auto combo = [this](F field) {
        return static_cast<kv::CComboBoxEn*>(panel->fieldWidget(field));
    };
    combo(F::TounenEra)->setCurrentIndex(0);
    combo(F::SyonenEra)->setCurrentIndex(0);
    edit(F::Tounen)->setText("05/01/01");
    edit(F::Syonen)->setText("05/01");
    EXPECT_FALSE(recorder->RecordCurrent());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().first(), u("元号を指定して下さい！"));
    EXPECT_TRUE(combo(F::SyonenEra)->hasFocus()) << "初度登録年月 comes before 登録年月日";
}

TEST_F(RecordingRules, ANewCustomerStartedInVehicleOrderComesBackInCustomerOrder)
{
    host->currentMode = 3;
    ASSERT_EQ(newCustomer(), 2);
    type(F::OwnerName1, u("田中"));
    ASSERT_TRUE(recorder->RecordNewCustomer()) << messages().join('|').toStdString();
    EXPECT_EQ(panel->modeText(), u("顧客ｺｰﾄﾞ順"));
}

} // namespace
