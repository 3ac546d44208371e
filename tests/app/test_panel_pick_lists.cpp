// The panel's "参照" windows on the main window: opened by Ctrl+Space and
// the caption buttons, moved by the digit keys, filling the panel's field.

#include "app/frame/CMainFrame.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/PanelPickLists.h"
#include "controls/CButtonEx.h"
#include "controls/CListCtrlEx.h"
#include "masters/CRefFrame.h"
#include "masters/KanaButtonBar.h"
#include "records/panel/CFMainPanel.h"

#include "data/document/DocumentTestFolder.h"
#include "data/settings/UserProfile.h"
#include "support/CustomerBuilder.h"
#include "support/FrameOnDocument.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QTest>

using F = kv::records::PanelField;
using kv::masters::CRefFrame;
using kv::test::u;

namespace {

class PanelPickListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, temp.path());
        doc = folder.open();
        ASSERT_TRUE(doc);
        kv::test::CustomerBuilder(1).name(u("山田"), QString()).reading(u("ﾔﾏﾀﾞ"))
            .insertInto(doc->store());
        kv::test::VehicleBuilder(10).owner(1).insertInto(doc->store());
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
        ASSERT_TRUE(doc->store().pickListConnection().execute(
            "INSERT INTO f007.Jyu (Jyu, Furi) VALUES ('一丁目', 'ｲ'), ('中町', 'ﾅ'),"
                  " ('本町', 'ﾎ');"
                  "INSERT INTO f008.KokName (KokName, KokFuri) VALUES ('株式会社', 'ｶﾌﾞｼｷｶﾞｲｼｬ');"));

        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        lists = std::make_unique<kv::app::PanelPickLists>(*frame, bridge->panel(), *doc);
        frame->resize(1100, 820);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        ASSERT_TRUE(bridge->ShowCustomer(1, true));
    }

    void TearDown() override
    {
        lists.reset();
        bridge.reset();
        frame.reset();
    }

    kv::records::CFMainPanel& panel() { return bridge->panel(); }
    QString fieldText(F field)
    {
        return panel().fieldWidget(field)->property("text").toString();
    }
    // Ctrl+Space in the field, as the user presses it.
    CRefFrame* referenceFrom(F field)
    {
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QWidget* edit = panel().fieldWidget(field);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_Space, Qt::ControlModifier);
        return lists->openList();
    }
    void key(CRefFrame* list, Qt::Key key)
    {
        QTest::keyClick(list->form()->list(), key);
        QApplication::processEvents();
    }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    QSettings profile{temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<kv::app::CMainFrame> frame;
    std::unique_ptr<kv::app::DocumentFrameRecords> records;
    std::unique_ptr<kv::app::PanelFrameBridge> bridge;
    std::unique_ptr<kv::app::PanelPickLists> lists;
};

TEST_F(PanelPickListsTest, CtrlSpaceAndADigitPutTheAddressPhraseIntoTheField)
{
    // 27 of the field's 30 bytes used.
    const QString held = QString(13, u'あ') + QStringLiteral("a");
    panel().fieldWidget(F::UserJyu2)->setProperty("text", held);

    QPointer<CRefFrame> list = referenceFrom(F::UserJyu2);
    ASSERT_TRUE(list) << "Ctrl+Space opens the list of the focused field";
    EXPECT_EQ(list->kind(), CRefFrame::Kind::Addresses);
    EXPECT_EQ(list->windowTitle(), u("参照"));
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_EQ(list->form()->list()->rowCount(), 3);
    EXPECT_TRUE(list->form()->kanaButtons()->button(0)->isChecked());

    key(list, Qt::Key_5); // ﾅ
    EXPECT_EQ(list->form()->list()->currentRow(), 1);
    EXPECT_TRUE(list->form()->kanaButtons()->button(4)->isChecked());
    key(list, Qt::Key_Return);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(frame->isEnabled());
    // The phrase is cut where the field's bytes end, between characters.
    EXPECT_EQ(fieldText(F::UserJyu2), held + u("中"));
    EXPECT_TRUE(fieldText(F::UserJyu1).isEmpty()) << "only the focused line changes";
    EXPECT_TRUE(kv::data::openUserProfile()->contains(QStringLiteral("JyuRef/x")));

    // Esc leaves the field as it was.
    list = referenceFrom(F::UserJyu2);
    ASSERT_TRUE(list);
    key(list, Qt::Key_Escape);
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(fieldText(F::UserJyu2), held + u("中"));
}

TEST_F(PanelPickListsTest, CaptionButtonsOpenNamesAndTransportOffices)
{
    kv::CButtonEx* names = panel().captionButton(kv::records::PickList::CustomerNames, true);
    ASSERT_TRUE(names->isEnabled());
    panel().fieldWidget(F::UserName1)->setFocus(Qt::TabFocusReason);
    names->click();
    QPointer<CRefFrame> list = lists->openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->kind(), CRefFrame::Kind::Names);
    key(list, Qt::Key_Return);
    EXPECT_EQ(fieldText(F::UserName1), u("山田株式会社"));
    EXPECT_EQ(fieldText(F::Furi), u("ﾔﾏﾀﾞｶﾌﾞｼｷｶﾞｲｼｬ"));

    panel().captionButton(kv::records::PickList::TransportOffices)->click();
    list = lists->openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->form()->list()->rowCount(), 20);
    const QString office = doc->settings().transportOffices().entry(2);
    list->form()->list()->selectRow(2);
    key(list, Qt::Key_Return);
    EXPECT_EQ(fieldText(F::Rikuji), office);
}

} // namespace

namespace {

TEST_F(PanelPickListsTest, TheModelListSetsTheMakeAndTheModel)
{
    ASSERT_TRUE(doc->store().pickListConnection().execute(
        "INSERT INTO main.Syasyu (SyameiNo, Syasyu) VALUES (2, 'ﾏｰｸII'), (2, 'ｸﾗｳﾝ');"));
    panel().captionButton(kv::records::PickList::VehicleNames)->click();
    QPointer<CRefFrame> list = lists->openList();
    ASSERT_TRUE(list);
    auto* makes = static_cast<kv::masters::CFSyamei*>(list->form())->makes();
    EXPECT_EQ(makes->currentIndex(), 0);
    EXPECT_EQ(list->form()->list()->rowCount(), 0);
    makes->setCurrentIndex(1);
    EXPECT_EQ(kv::data::openUserProfile()->value(QStringLiteral("Syamei/SyameiNo")).toInt(), 1);
    ASSERT_EQ(list->form()->list()->rowCount(), 2);
    EXPECT_EQ(list->form()->list()->cellText(0, 0), u("ｸﾗｳﾝ")) << "in the order of the models";
    key(list, Qt::Key_Return);
    EXPECT_EQ(panel().heldValues().index(F::Syamei), 2) << "the drop-down's index + 1";
    EXPECT_EQ(fieldText(F::Syasyu), u("ｸﾗｳﾝ"));

    // The make is remembered; an empty list still sets the make alone.
    panel().captionButton(kv::records::PickList::VehicleNames)->click();
    list = lists->openList();
    ASSERT_TRUE(list);
    makes = static_cast<kv::masters::CFSyamei*>(list->form())->makes();
    EXPECT_EQ(makes->currentIndex(), 1);
    makes->setCurrentIndex(4);
    key(list, Qt::Key_Return);
    EXPECT_EQ(panel().heldValues().index(F::Syamei), 5);
    EXPECT_EQ(fieldText(F::Syasyu), u("ｸﾗｳﾝ"));
}

} // namespace
