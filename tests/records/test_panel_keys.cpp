// The panel driven by key presses on its real widgets, on a document over a
// fresh data folder.

#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/panel/CFMainPanel.h"

#include "controls/CButtonEx.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "support/CustomerBuilder.h"
#include "support/GoldenImage.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QTest>

using namespace kv::records;
using F = kv::records::PanelField;
using kv::test::CustomerBuilder;
using kv::test::u;
using kv::test::VehicleBuilder;

namespace {

// The panel of the picture: its size at the fonts of the tests.
constexpr QSize kPanelShotSize(800, 837);

class TestHost final : public PanelHost {
public:
    int mode() const override { return m_mode; }
    void SetCommandButtons(bool, bool, bool f5, bool, bool, bool slip, bool, bool, bool,
                           bool) override
    {
        ++calls;
        ownedVehicles = f5;
        slipOn = slip;
    }
    int m_mode = 1;
    int calls = 0;
    bool ownedVehicles = false;
    bool slipOn = false;
};

class PanelKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont::insertSubstitution(u("ＭＳ Ｐゴシック"), u("IPAPGothic"));
        doc = folder.open();
        ASSERT_TRUE(doc);
        kv::data::DataStore& store = doc->store();
        CustomerBuilder(1)
            .owner(u("山田商事株式会社"))
            .name(u("山田"), u("太郎"))
            .reading(u("ﾔﾏﾀﾞ ﾀﾛｳ"))
            .address(u("東京都港区芝公園1-2-3"), u("サンプルビル3F"))
            .base(u("東京都港区芝公園1-2-3"), u("サンプルビル3F"))
            .postalCode(1050011)
            .phone(u("03-1234-5678"))
            .birthday(QDate(1982, 3, 15))
            .vehicles(2)
            .set(&CDaoKokSet::m_Sama, 1)
            .set(&CDaoKokSet::m_Nenga, 1)
            .set(&CDaoKokSet::m_Seibo, 1)
            .set(&CDaoKokSet::m_Shime1, 20)
            .insertInto(store);
        CustomerBuilder(2).name(u("新規作成中")).insertInto(store);
        CustomerBuilder(3).name(u("佐藤")).reading(u("ｻﾄｳ")).address(u("大阪府")).insertInto(store);
        VehicleBuilder(10)
            .owner(1)
            .plate(u("品川"), 500, u("あ"), 1234)
            .inspectionExpiry(QDate(2025, 6, 1))
            .insuranceExpiry(QDate(2025, 3, 31))
            .registered(QDate(2015, 4, 10))
            .firstRegistered(QDate(2015, 4, 1))
            .chassis(u("NZE161-1234567"))
            .maker(1)
            .model(u("ｶﾛｰﾗ"))
            .set(&CDaoCarSet::m_Haikiryo, 150)
            .set(&CDaoCarSet::m_Kata, 12345)
            .set(&CDaoCarSet::m_Rui, 67)
            .set(&CDaoCarSet::m_Jibai, 27840)
            .set(&CDaoCarSet::m_JyuZei, 24600)
            .set(&CDaoCarSet::m_Insi, 1800)
            .set(&CDaoCarSet::m_Daiko, 15000)
            .set(&CDaoCarSet::m_Katasiki, u("DBA-NZE161"))
            .set(&CDaoCarSet::m_Teiin, 5)
            .set(&CDaoCarSet::m_Jyuryo, 1130)
            .set(&CDaoCarSet::m_SouJyuryo, 1405)
            .set(&CDaoCarSet::m_Nagasa, 4410)
            .set(&CDaoCarSet::m_Haba, 1695)
            .set(&CDaoCarSet::m_Takasa, 1460)
            .set(&CDaoCarSet::m_Syubetu, 1)
            .set(&CDaoCarSet::m_Youto, 1)
            .set(&CDaoCarSet::m_Jiei, 1)
            .set(&CDaoCarSet::m_Keijyo, 1)
            .set(&CDaoCarSet::m_Nenryo, 1)
            .set(&CDaoCarSet::m_Gendoki, u("1NZ"))
            .set(&CDaoCarSet::m_Yuko, 2)
            .set(&CDaoCarSet::m_ZenZen, 700)
            .set(&CDaoCarSet::m_KouKou, 430)
            .insertInto(store);
        VehicleBuilder(11).owner(1).plate(u("練馬"), 300, u("さ"), 42).chassis(u("A-2")).insertInto(store);
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
        source = std::make_unique<DocumentPanelSource>(*doc);
        panel = std::make_unique<CFMainPanel>(*source, doc->settings(), host);
        panel->resize(panel->sizeHint());
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        messages = &folder.messages;
    }

    kv::CEditEx* edit(F field) { return static_cast<kv::CEditEx*>(panel->fieldWidget(field)); }
    kv::CComboBoxEn* combo(F field)
    {
        return static_cast<kv::CComboBoxEn*>(panel->fieldWidget(field));
    }
    // Types into the field as a user would and leaves it with Tab.
    void type(F field, const char* text)
    {
        edit(field)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClicks(edit(field), u(text));
        QTest::keyClick(edit(field), Qt::Key_Tab);
        QApplication::processEvents();
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<DocumentPanelSource> source;
    TestHost host;
    std::unique_ptr<CFMainPanel> panel;
    kv::test::RecordingMessageGateway* messages = nullptr;
};

TEST_F(PanelKeys, StartsEmptyAndDisabledWithTheTotals)
{
    EXPECT_FALSE(panel->customerGroupEnabled());
    EXPECT_FALSE(panel->vehicleGroupEnabled());
    EXPECT_EQ(panel->customerTotalText(), u("3"));
    EXPECT_EQ(panel->vehicleTotalText(), u("2"));
    EXPECT_EQ(combo(F::BurthEra)->count(), 6);
    EXPECT_EQ(combo(F::TounenEra)->count(), 4);
    EXPECT_EQ(combo(F::Syubetu)->count(), 31);
    EXPECT_EQ(combo(F::Keijyo)->count(), 61);
    EXPECT_EQ(combo(F::Syamei)->count(), 61);
    EXPECT_EQ(combo(F::Nenryo)->count(), 21);
    EXPECT_EQ(combo(F::Sama)->count(), 4);
    EXPECT_FALSE(panel->captionButton(PickList::CustomerNames)->isEnabled());
}

TEST_F(PanelKeys, ShowCustomerSetsModeTextAndCommands)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    EXPECT_TRUE(panel->customerGroupEnabled());
    EXPECT_TRUE(panel->vehicleGroupEnabled());
    EXPECT_TRUE(edit(F::KokCode)->isReadOnly());
    EXPECT_TRUE(edit(F::CarCode)->isReadOnly());
    EXPECT_EQ(panel->modeText(), u("顧客ｺｰﾄﾞ順"));
    EXPECT_TRUE(host.ownedVehicles);
    EXPECT_TRUE(host.slipOn);
    EXPECT_EQ(edit(F::UseBase1)->text(), u("＊＊＊"));
    EXPECT_EQ(edit(F::Kata)->text(), u("12345"));
    EXPECT_EQ(edit(F::Rui)->text(), u("0067"));

    EXPECT_FALSE(panel->ShowCustomer(2, true));
    EXPECT_EQ(messages->messages().value(0), u("該当顧客が存在しません！"));
    EXPECT_EQ(edit(F::KokCode)->text(), u("1")) << "a failed search leaves the panel";

    ASSERT_TRUE(panel->ShowCustomer(3, true));
    EXPECT_FALSE(panel->vehicleGroupEnabled());
    EXPECT_TRUE(edit(F::KokCode)->hasFocus());
    EXPECT_FALSE(host.slipOn);
    panel->SetModeText(100);
    EXPECT_EQ(panel->modeText(), u("顧客ｺｰﾄﾞ順"));
    panel->SetModeText(4);
    EXPECT_EQ(panel->modeText(), u("ﾌﾟﾚｰﾄNO順"));
}

TEST_F(PanelKeys, DatesTypedAndRecorded)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    combo(F::BurthEra)->setCurrentIndex(3); // 昭和
    type(F::Burth, "570315");
    EXPECT_EQ(edit(F::Burth)->text(), u("57/03/15"));

    struct Case {
        const char* typed;
        const char* shown;
        QDate stored;
    };
    const Case cases[] = {
        {"300101", "30/01/01", QDate(2018, 1, 1)},
        {"050101", "05/01/01", QDate(2023, 1, 1)},
    };
    for (const Case& c : cases) {
        type(F::Syaman, c.typed);
        EXPECT_EQ(edit(F::Syaman)->text(), u(c.shown));
        kv::data::CarRow car;
        ASSERT_TRUE(panel->readVehicleRow(car));
        EXPECT_EQ(car.m_Syaman, kv::data::toDayNumber(c.stored)) << c.typed;
    }
    kv::data::KokRow kok;
    ASSERT_TRUE(panel->readCustomerRow(kok));
    EXPECT_EQ(kok.m_Burth, kv::data::toDayNumber(QDate(1982, 3, 15)));
    EXPECT_TRUE(messages->messages().isEmpty());

    type(F::Syaman, "310230");
    EXPECT_EQ(messages->messages(), QStringList{u("年月日が異常です！")});
    EXPECT_EQ(edit(F::Syaman)->text(), QString());
    EXPECT_TRUE(edit(F::Syaman)->hasFocus());

    // A date without its era stops the write-back on the era list.
    messages->clear();
    combo(F::BurthEra)->setCurrentIndex(0);
    EXPECT_FALSE(panel->readCustomerRow(kok));
    EXPECT_EQ(messages->messages(), QStringList{u("元号を指定して下さい！")});
    EXPECT_TRUE(combo(F::BurthEra)->hasFocus());
}

TEST_F(PanelKeys, PostalCodeDisplacementAndAmounts)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    type(F::Post, "1234567");
    EXPECT_EQ(edit(F::Post)->text(), u("123-4567"));
    type(F::Post, "123-4567");
    EXPECT_EQ(edit(F::Post)->text(), u("123-4567"));
    EXPECT_TRUE(messages->messages().isEmpty());
    type(F::Post, "12-34567");
    EXPECT_EQ(messages->messages(), QStringList{u("郵便番号が異常です！")});
    EXPECT_EQ(edit(F::Post)->text(), QString());
    EXPECT_TRUE(edit(F::Post)->hasFocus());
    messages->clear();
    type(F::Post, "1234567");
    kv::data::KokRow kok;
    ASSERT_TRUE(panel->readCustomerRow(kok));
    EXPECT_EQ(kok.m_Post, 1234567);

    type(F::Haikiryo, "1.5");
    EXPECT_EQ(edit(F::Haikiryo)->text(), u("1.50"));
    type(F::Jibai, "1234567");
    EXPECT_EQ(edit(F::Jibai)->text(), u("1,234,567"));
    type(F::Kata, "42");
    EXPECT_EQ(edit(F::Kata)->text(), u("00042"));
    kv::data::CarRow car;
    ASSERT_TRUE(panel->readVehicleRow(car));
    EXPECT_EQ(car.m_Haikiryo, 150);
    EXPECT_EQ(car.m_Jibai, 1234567);
    EXPECT_EQ(car.m_Kata, 42);

    // Seven characters hold no amount above the range; letters are refused.
    type(F::JyuZei, "12x");
    EXPECT_EQ(messages->messages(), QStringList{u("0から9,999,999迄の整数を入力してくだい！")});
    EXPECT_EQ(edit(F::JyuZei)->text(), u("0"));
    EXPECT_TRUE(edit(F::JyuZei)->hasFocus());
}

TEST_F(PanelKeys, BaseOfUseMarker)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    EXPECT_EQ(edit(F::UseBase1)->text(), u("＊＊＊"));
    EXPECT_EQ(edit(F::UseBase2)->text(), QString());
    edit(F::UseBase1)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(edit(F::UseBase1)->text(), u("東京都港区芝公園1-2-3"));
    QTest::keyClick(edit(F::UseBase1), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(edit(F::UseBase1)->text(), u("＊＊＊"));
    ASSERT_TRUE(edit(F::UseBase2)->hasFocus());
    EXPECT_EQ(edit(F::UseBase2)->text(), u("サンプルビル3F"));
    QTest::keyClick(edit(F::UseBase2), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(edit(F::UseBase2)->text(), QString());

    kv::data::KokRow kok;
    ASSERT_TRUE(panel->readCustomerRow(kok));
    EXPECT_EQ(kok.m_UseBase1, u("東京都港区芝公園1-2-3"));
    EXPECT_EQ(kok.m_UseBase2, u("サンプルビル3F"));
}

TEST_F(PanelKeys, OwnerLinesFillTheUserLinesOfANewCustomer)
{
    ASSERT_TRUE(panel->ShowCustomer(3, true));
    PanelValues empty;
    panel->showValues(empty, true, false);
    host.m_mode = 100;
    type(F::OwnerName1, "abc");
    EXPECT_EQ(edit(F::UserName1)->text(), u("abc"));
    type(F::OwnerJyu1, "xyz");
    EXPECT_EQ(edit(F::UserJyu1)->text(), u("xyz"));
    EXPECT_EQ(edit(F::UseBase1)->text(), u("＊＊＊"));
    host.m_mode = 1;
    type(F::OwnerName2, "def");
    EXPECT_EQ(edit(F::UserName2)->text(), QString()) << "only while a new customer is entered";
}

TEST_F(PanelKeys, SteppingPastTheEndsLeavesThePanel)
{
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    EXPECT_FALSE(panel->StepCustomer(false));
    EXPECT_EQ(messages->messages(), QStringList{u("前にデータが存在しません！")});
    ASSERT_TRUE(panel->StepCustomer(true)); // placeholder 2 skipped
    EXPECT_EQ(edit(F::KokCode)->text(), u("3"));
    messages->clear();
    EXPECT_FALSE(panel->StepCustomer(true));
    EXPECT_EQ(messages->messages(), QStringList{u("次にデータが存在しません！")});
    EXPECT_EQ(edit(F::KokCode)->text(), u("3"));

    host.m_mode = 3;
    doc->vehicles().SetSort(u("CarCode"));
    ASSERT_TRUE(doc->vehicles().Requery());
    ASSERT_TRUE(panel->ShowVehicle(10, true));
    EXPECT_EQ(panel->modeText(), u("車輌ｺｰﾄﾞ順"));
    ASSERT_TRUE(panel->StepVehicle(true));
    EXPECT_EQ(edit(F::CarCode)->text(), u("11"));
    EXPECT_EQ(edit(F::Preno)->text(), u("42"));
    messages->clear();
    EXPECT_FALSE(panel->StepVehicle(true));
    EXPECT_EQ(messages->messages(), QStringList{u("次にデータが存在しません！")});
    EXPECT_EQ(edit(F::CarCode)->text(), u("11"));
}

// The panel showing customer 1 and vehicle 10 against its reviewed picture.
// The tolerance absorbs anti-aliasing; a field moved by a few pixels is
// still well beyond it, which the second half proves on the same picture.
TEST_F(PanelKeys, LooksAsReviewed)
{
    const kv::test::GoldenImage::Tolerance tolerance{48, 0.0001};
    ASSERT_TRUE(panel->ShowCustomer(1, true));
    QApplication::setCursorFlashTime(0); // a steady caret in the focused field
    panel->resize(kPanelShotSize);
    QApplication::processEvents();
    const QImage shot = panel->grab().toImage();
    EXPECT_TRUE(kv::test::GoldenImage::matches(shot, u("records/panel_customer"), tolerance));

    QWidget* phone = panel->fieldWidget(F::Tel1);
    phone->move(phone->pos() + QPoint(4, 0));
    const auto moved = kv::test::GoldenImage::compare(shot, panel->grab().toImage(),
                                                      tolerance.channelTolerance);
    EXPECT_GT(moved.differingShare(), tolerance.maxDifferingShare);
    phone->hide();
    const auto missing = kv::test::GoldenImage::compare(shot, panel->grab().toImage(),
                                                        tolerance.channelTolerance);
    EXPECT_GT(missing.differingShare(), tolerance.maxDifferingShare);
}

} // namespace
