// The report commands of the main window: a built report's command opens
// its dialog with the main window disabled until the dialog closes; the
// reports still to come stay registered and off.

#include "support/FrameOnDocument.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/wiring/PendingCommands.h"
#include "app/wiring/ReportCommands.h"
#include "data/document/DocumentTestFolder.h"
#include "reports/ui/CDPrintHoman.h"
#include "reports/ui/CDPrintKokCarMst.h"
#include "reports/ui/CDPrintMinyuuko.h"
#include "support/FakePrinterAccess.h"

#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv::app;

namespace {

TEST(ReportCommands, TheCustomerFileCommandOpensItsDialogOnceAndHoldsTheMainWindow)
{
    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc = folder.open();
    ASSERT_TRUE(doc);
    kv::test::TempFolder temp;
    QSettings profile(temp.path() + "/profile.ini", QSettings::IniFormat);
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
    kv::test::FakePrinterAccess printers;
    ReportCommands reports(*frame, *doc, &printers, &profile);
    PendingCommands pending(*frame);
    frame->refreshCommands();
    frame->show();

    ASSERT_TRUE(frame->registry().isAvailable(CommandId::CustomerVehicleList));
    EXPECT_TRUE(frame->registry().isAvailable(CommandId::InspectionMissedList));
    EXPECT_TRUE(frame->registry().isAvailable(CommandId::InsuranceDueList));
    EXPECT_FALSE(frame->registry().isAvailable(CommandId::VehicleHistoryList));
    frame->registry().run(CommandId::CustomerVehicleList);
    QPointer<kv::reports::ReportDialog> dialog = reports.openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(qobject_cast<kv::reports::CDPrintKokCarMst*>(dialog.data()));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_FALSE(frame->registry().isAvailable(CommandId::CustomerVehicleList));

    QTest::keyClick(dialog->closeButton(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_TRUE(frame->registry().isAvailable(CommandId::CustomerVehicleList));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CustomerVehicleList));

    // The vehicle lists open their own dialogs.
    frame->registry().run(CommandId::InspectionMissedList);
    dialog = reports.openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(qobject_cast<kv::reports::CDPrintMinyuuko*>(dialog.data()));
    QTest::keyClick(dialog->closeButton(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame->registry().run(CommandId::InsuranceDueList);
    dialog = reports.openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(qobject_cast<kv::reports::CDPrintHoman*>(dialog.data()));
    QTest::keyClick(dialog->closeButton(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
