// What the main window re-reads when another computer announces a change:
// the customers behind the panel with its totals, the settings files.

#include "app/frame/CMainFrame.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/LanCommands.h"
#include "app/wiring/PanelPickLists.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "masters/CDSetFixedList.h"
#include "masters/CRefFrame.h"
#include "app/wiring/PanelFrameBridge.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/ChangeReceivers.h"
#include "records/panel/CFMainPanel.h"

#include "data/document/DocumentTestFolder.h"
#include "support/CustomerBuilder.h"
#include "support/FrameOnDocument.h"
#include "support/Utf8.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace kv::app;
using kv::lan::LanMessage;
using kv::test::CustomerBuilder;
using kv::test::u;

namespace {

class LanWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        CustomerBuilder(1).name(u("山田"), u("太郎")).reading(u("ﾔﾏﾀﾞ")).insertInto(doc->store());
        ASSERT_TRUE(doc->customers().Requery());
        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge,
                                      {.isClient = true, .name = u("127.0.0.2")});
        lan = std::make_unique<LanCommands>(*frame, *doc, *bridge);
    }

    void TearDown() override
    {
        lan.reset();
        bridge.reset();
        frame.reset();
    }

    static int receive(const char* text)
    {
        return kv::lan::changeReceivers().dispatch(LanMessage::parse(u(text)));
    }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    QSettings profile{temp.file(u("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    std::unique_ptr<LanCommands> lan;
};

} // namespace

TEST_F(LanWiring, ACustomerRecordedElsewhereCountsOnThePanelAfterItsMessage)
{
    EXPECT_EQ(bridge->panel().customerTotalText(), u("1"));
    // Another computer writes two customers into the shared files.
    CustomerBuilder(2).name(u("佐藤"), u("花子")).reading(u("ｻﾄｳ")).insertInto(doc->store());
    CustomerBuilder(3).name(u("鈴木"), u("一郎")).reading(u("ｽｽﾞｷ")).insertInto(doc->store());
    EXPECT_EQ(bridge->panel().customerTotalText(), u("1")) << "nothing re-read before the message";
    EXPECT_GE(receive("127.0.0.2,Server,KokCarRequery,,,,,,,,,,"), 1);
    EXPECT_EQ(bridge->panel().customerTotalText(), u("3"));
    EXPECT_TRUE(frame->commands().state().searchOrder != 0);
}

TEST_F(LanWiring, ASettingsFileSavedElsewhereIsReloaded)
{
    kv::data::SettingsStore other(folder.folder.path());
    ASSERT_TRUE(other.LoadSettingsFile(kv::data::SettingsFileId::Rounding));
    other.rounding().taxRate = 0.08;
    ASSERT_TRUE(other.SaveSettingsFile(kv::data::SettingsFileId::Rounding));
    EXPECT_NE(doc->settings().rounding().taxRate, 0.08);
    receive("127.0.0.2,Server,Update,端数処理,,,,,,,,,");
    EXPECT_DOUBLE_EQ(doc->settings().rounding().taxRate, 0.08);

    int calls = 0;
    lan->onCallInformation([&calls] { ++calls; });
    receive("127.0.0.2,Server,TelCallInfo,12,0312345678");
    EXPECT_EQ(calls, 1);

    // Gone with the window's wiring.
    lan.reset();
    EXPECT_EQ(receive("127.0.0.2,Server,Update,端数処理,,,,,,,,,"), 0);
    LanCommands::showConnection(*frame, false);
    EXPECT_TRUE(frame->lanPane()->text().contains(u("サーバー未接続")));
    LanCommands::showConnection(*frame, true);
    EXPECT_FALSE(frame->lanPane()->text().contains(u("サーバー未接続")));
}

TEST_F(LanWiring, AnOpenPickListShowsAnAddressAddedElsewhereAfterItsMessage)
{
    kv::data::Connection& lists = doc->store().pickListConnection();
    ASSERT_TRUE(lists.execute("INSERT INTO f007.Jyu (Jyu, Furi) VALUES ('本町', 'ﾎ');"));
    PanelPickLists pickLists(*frame, bridge->panel(), *doc);
    pickLists.open(kv::records::PickList::Addresses, false);
    kv::masters::CRefFrame* list = pickLists.openList();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->form()->rows().size(), 1u);

    // Another computer adds an address and says so.
    ASSERT_TRUE(lists.execute("INSERT INTO f007.Jyu (Jyu, Furi) VALUES ('中町', 'ﾅ');"));
    EXPECT_EQ(list->form()->rows().size(), 1u) << "nothing re-read before the message";
    receive("127.0.0.2,Server,Update,住所,,,,,,,,,");
    EXPECT_EQ(list->form()->rows().size(), 2u);
    list->cancel();
}

TEST_F(LanWiring, AnOpenListDialogShowsAndKeepsAnOfficeNamedElsewhere)
{
    using kv::data::SettingsFileId;
    kv::masters::CDSetRikuji dialog(doc->settings());
    dialog.show();
    kv::data::SettingsStore other(folder.folder.path());
    ASSERT_TRUE(other.LoadSettingsFile(SettingsFileId::TransportOffices));
    other.transportOffices().setEntry(3, u("品川"));
    ASSERT_TRUE(other.SaveSettingsFile(SettingsFileId::TransportOffices));
    receive("127.0.0.2,Server,Update,陸事,3,,,,,,,,");
    EXPECT_EQ(dialog.list()->cellText(dialog.rowOfSlot(3), 0), u("品川"));

    // The file is written whole: an office recorded here keeps the other's.
    dialog.list()->selectRow(dialog.rowOfSlot(5));
    dialog.textEdit()->setText(u("練馬"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    ASSERT_TRUE(other.LoadSettingsFile(SettingsFileId::TransportOffices));
    EXPECT_EQ(other.transportOffices().entry(5), u("練馬"));
    EXPECT_EQ(other.transportOffices().entry(3), u("品川"));
}
