// The 設定 menu on the main window: each settings command opens its dialog
// over the document, the fixed lists refill the panel's drop-downs, the
// typing-aid tables open under their lock, and the panel's postal button
// is live exactly when the postal files are there.

#include "support/FrameOnDocument.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/MasterCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/SettingsWindows.h"
#include "controls/CButtonEx.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "data/document/DocumentTestFolder.h"
#include "data/service/ShareLockAction.h"
#include "masters/CDSetFixedList.h"
#include "masters/CDSetJisya.h"
#include "masters/CDSetNyuukoKbn.h"
#include "masters/CDSetPostDefault.h"
#include "masters/CDSetReferenceList.h"
#include "records/panel/CFMainPanel.h"
#include "support/ModalDialogHelper.h"
#include "support/Utf8.h"

#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv::app;
using kv::test::u;

namespace {

class SettingsWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        settings = std::make_unique<SettingsWindows>(*frame, *doc, bridge->panel());
        MasterCommands::Windows windows;
        settings->addTo(windows);
        masters = std::make_unique<MasterCommands>(*frame, std::move(windows));
        frame->refreshCommands();
        frame->show();
    }
    void TearDown() override
    {
        masters.reset();
        settings.reset();
        bridge.reset();
        frame.reset();
    }

    // Runs the command and closes the dialog it opened with Esc; the
    // dialog's class name.
    QString openAndClose(int command, std::function<void(QWidget*)> before = {})
    {
        QString opened;
        dialogs.answerNext([&opened, before](QWidget* dialog) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            if (before)
                before(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        EXPECT_TRUE(frame->registry().isAvailable(command)) << command;
        frame->registry().run(command);
        EXPECT_TRUE(dialogs.idle());
        return opened;
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    kv::test::TempFolder temp;
    QSettings profile{temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    std::unique_ptr<SettingsWindows> settings;
    std::unique_ptr<MasterCommands> masters;
    kv::test::ModalDialogHelper dialogs;
};

TEST_F(SettingsWiring, EachSettingsCommandOpensItsDialog)
{
    using namespace CommandId;
    const std::pair<int, const char*> commands[] = {
        {CompanyInformation, "kv::masters::CDSetJisya"},
        {JobCategories, "kv::masters::CDSetNyuukoKbn"},
        {DefaultPrefecture, "kv::masters::CDSetPostDefault"},
        {StatutoryCosts, "kv::masters::CDSetStatutoryCosts"},
        {TransportOfficeList, "kv::masters::CDSetRikuji"},
        {VehicleKinds, "kv::masters::CDSetSyubetu"},
        {VehicleUses, "kv::masters::CDSetYouto"},
        {BodyShapes, "kv::masters::CDSetKeijyo"},
        {VehicleNameList, "kv::masters::CDSetSyamei"},
        {Fuels, "kv::masters::CDSetNenryo"},
        {CustomerNameList, "kv::masters::CDSetKokName"},
        {AddressList, "kv::masters::CDSetJyu"},
        {ModelList, "kv::masters::CDSetSyasyu"},
    };
    for (const auto& [command, dialog] : commands)
        EXPECT_EQ(openAndClose(command), QString::fromLatin1(dialog)) << command;
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
}

TEST_F(SettingsWiring, AFixedListRecordedShowsInThePanelsDropDown)
{
    openAndClose(CommandId::Fuels, [](QWidget* dialog) {
        auto* fuels = static_cast<kv::masters::CDSetFixedList*>(dialog);
        fuels->list()->selectRow(4); // slot 5
        fuels->textEdit()->setText(QStringLiteral("LPG"));
        QTest::mouseClick(fuels->recordButton(), Qt::LeftButton);
    });
    auto* combo = static_cast<kv::CComboBoxEn*>(
        bridge->panel().fieldWidget(kv::records::PanelField::Nenryo));
    EXPECT_EQ(combo->itemText(5), QStringLiteral("LPG"));
}

TEST_F(SettingsWiring, ATableHeldByAnotherComputerIsNotOpened)
{
    ASSERT_TRUE(doc->ShareLock(QStringLiteral("007.mdb"), QStringLiteral("PC2"), 1,
                               int(kv::data::ShareLockAction::Claim)));
    frame->registry().run(CommandId::AddressList);
    EXPECT_EQ(folder.messages.messages().size(), 1);
    EXPECT_TRUE(dialogs.idle());
}

TEST_F(SettingsWiring, WithoutPostalFilesThePostalButtonIsOff)
{
    kv::CButtonEx* button = bridge->panel().captionButton(kv::records::PickList::None);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(button->toolTip().isEmpty());
}

} // namespace
