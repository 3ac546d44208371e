// The rounding, agency-fee and print position dialogs: they read their file again when
// they open, write it on recording, announce it, and leave it alone when
// cancelled.
#include "slips/ui/CDSetDenPrintPos.h"
#include "slips/ui/CDSetHasuuCalc.h"
#include "slips/ui/CDSetKazei.h"

#include "controls/CEditEx.h"
#include "data/settings/DefaultSettings.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kv::slips;
using kv::data::SettingsFileId;
using kv::data::SettingsStore;
using kv::test::u;
using Rule = CDSetHasuuCalc::Rule;

class SlipSettingsDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString reason;
        ASSERT_TRUE(kv::data::writeDefaultSettings(m_folder.path(), &reason)) << reason.toStdString();
    }

    // What another computer reads from the folder.
    SettingsStore reread()
    {
        SettingsStore store(m_folder.path());
        EXPECT_TRUE(store.LoadSettingsFile(SettingsFileId::Rounding));
        EXPECT_TRUE(store.LoadSettingsFile(SettingsFileId::General));
        return store;
    }

    static void showActive(QWidget& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    static void typeOver(kv::CEditEx* edit, const QString& text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    kv::test::TempFolder m_folder;
    kv::test::RecordingMessageGateway m_messages;
    kv::lan::RecordingChangeAnnouncer m_announcer;
    SettingsStore m_store{m_folder.path()};
};

TEST_F(SlipSettingsDialogs, RoundingIsReadAgainWrittenAndAnnounced)
{
    // Another computer changed the rate since this one started.
    SettingsStore other(m_folder.path());
    other.rounding() = kv::data::DefaultSettings::rounding();
    other.rounding().taxRate = 0.08;
    other.rounding().labour = {2, 1};
    ASSERT_TRUE(other.SaveSettingsFile(SettingsFileId::Rounding));

    CDSetHasuuCalc dialog(m_store);
    EXPECT_EQ(dialog.windowTitle(), u("端数処理"));
    showActive(dialog);
    EXPECT_EQ(dialog.rateEdit()->text(), u("8.00"));
    EXPECT_TRUE(dialog.typeButton(Rule::Labour, 2)->isChecked());
    EXPECT_TRUE(dialog.unitButton(Rule::Labour, 1)->isChecked());
    EXPECT_TRUE(dialog.typeButton(Rule::Billed, 0)->isChecked());

    typeOver(dialog.rateEdit(), u("12.345"));
    EXPECT_EQ(dialog.rateEdit()->text(), u("12.34"));
    QTest::mouseClick(dialog.typeButton(Rule::Billed, 1), Qt::LeftButton);
    QTest::mouseClick(dialog.unitButton(Rule::Billed, 2), Qt::LeftButton);
    QTest::mouseClick(dialog.typeButton(Rule::Tax, 2), Qt::LeftButton);
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const kv::data::RoundingSettings written = reread().rounding();
    EXPECT_DOUBLE_EQ(written.taxRate, 0.1234);
    EXPECT_EQ(written.billed, (kv::data::RoundingRule{1, 2}));
    EXPECT_EQ(written.tax, (kv::data::RoundingRule{2, 0}));
    EXPECT_EQ(written.labour, (kv::data::RoundingRule{2, 1}));
    EXPECT_EQ(written.parts, (kv::data::RoundingRule{0, 0}));
    EXPECT_EQ(m_store.rounding(), written);
    ASSERT_EQ(m_announcer.announcements().size(), 1);
    EXPECT_EQ(m_announcer.announcements().front().command, u("Update"));
    EXPECT_EQ(m_announcer.announcements().front().kind, u("端数処理"));
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SlipSettingsDialogs, RateOutsideItsRangeRestoresTheRateAndCancelWritesNothing)
{
    const QByteArray before = m_folder.read(u("002.dat"));
    CDSetHasuuCalc dialog(m_store);
    showActive(dialog);
    typeOver(dialog.rateEdit(), u("100.5"));
    EXPECT_EQ(m_messages.messages(), QStringList{u("0.00から100.00迄を入力して下さい！")});
    EXPECT_EQ(dialog.rateEdit()->text(), u("10.00"));
    EXPECT_TRUE(dialog.rateEdit()->hasFocus());

    QTest::mouseClick(dialog.typeButton(Rule::Parts, 1), Qt::LeftButton);
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_folder.read(u("002.dat")), before);
    EXPECT_TRUE(m_announcer.announcements().isEmpty());
}

TEST_F(SlipSettingsDialogs, AFailedWriteLeavesTheRatesThisComputerBillsWithAsTheFileHasThem)
{
    CDSetHasuuCalc dialog(m_store);
    showActive(dialog);
    const kv::data::RoundingSettings before = m_store.rounding();
    // The file cannot be written: a folder stands where it was.
    ASSERT_TRUE(QFile::remove(m_folder.file(u("002.dat"))));
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(u("002.dat")));

    typeOver(dialog.rateEdit(), u("8"));
    QTest::mouseClick(dialog.typeButton(Rule::Billed, 1), Qt::LeftButton);
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(m_messages.messages().isEmpty()) << "the failure is told";
    EXPECT_EQ(m_store.rounding(), before);
    EXPECT_TRUE(m_announcer.announcements().isEmpty());
}

TEST_F(SlipSettingsDialogs, AgencyFeeTaxIsReadAgainWrittenAndAnnounced)
{
    SettingsStore other(m_folder.path());
    ASSERT_TRUE(other.LoadSettingsFile(SettingsFileId::General));
    other.general().lastRecordedSlipNo = 321;
    ASSERT_TRUE(other.SaveSettingsFile(SettingsFileId::General));

    CDSetKazei dialog(m_store);
    EXPECT_EQ(dialog.windowTitle(), u("代行料 課税・非課税"));
    showActive(dialog);
    EXPECT_TRUE(dialog.taxableBox()->isChecked());
    QTest::mouseClick(dialog.taxableBox(), Qt::LeftButton);
    // Enter records.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const kv::data::GeneralSettings written = reread().general();
    EXPECT_EQ(written.agencyFeeTaxable, 0);
    // The rest of the file is what the other computer left.
    EXPECT_EQ(written.lastRecordedSlipNo, 321);
    ASSERT_EQ(m_announcer.texts(), QStringList{u("Update,代行料 課税・非課税")});
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(SlipSettingsDialogs, PrintPositionsAreRoundedDownToTenthsWrittenTwiceAndAnnounced)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(u("Printer")));
    kv::data::PrinterIdentity printer;
    printer.name = u("LBP 3000");
    ASSERT_TRUE(m_store.usePrinter(printer, u("PC7")));
    ASSERT_EQ(m_store.positionFileName(), u("PC7LBP3000.dat"));
    // Another computer moved the page since.
    SettingsStore other(m_folder.path());
    ASSERT_TRUE(other.LoadSettingsFile(SettingsFileId::Print));
    ASSERT_EQ(other.LoadPrintPositions(u("PC7LBP3000.dat")), 1);
    other.print().positions.slipTop = 15;
    other.print().discountSign = 1;
    ASSERT_TRUE(other.SaveSettingsFile(SettingsFileId::Print));
    ASSERT_EQ(other.SavePrintPositions(u("PC7LBP3000.dat")), 1);

    CDSetDenPrintPos dialog(m_store);
    EXPECT_EQ(dialog.windowTitle(), u("印刷位置"));
    showActive(dialog);
    using F = CDSetDenPrintPos;
    EXPECT_EQ(dialog.field(F::PageTop)->text(), u("1.5"));
    EXPECT_EQ(dialog.field(F::PageLeft)->text(), u("0.0"));
    EXPECT_EQ(dialog.field(F::CentreLine)->text(), u("148.0"));
    EXPECT_TRUE(dialog.discountSignBox()->isChecked());
    EXPECT_TRUE(dialog.blackAndWhiteButton()->isChecked());

    typeOver(dialog.field(F::PageTop), u("12.34"));
    EXPECT_EQ(dialog.field(F::PageTop)->text(), u("12.3"));
    typeOver(dialog.field(F::PageLeft), u("-0.05"));
    EXPECT_EQ(dialog.field(F::PageLeft)->text(), u("-0.1"));
    typeOver(dialog.field(F::AddresseeLeft), u("8.2"));
    EXPECT_EQ(dialog.field(F::AddresseeLeft)->text(), u("8.2"));
    typeOver(dialog.field(F::AddresseeTop), u("100"));
    EXPECT_EQ(m_messages.messages(), QStringList{u("-99.9から99.9迄を入力して下さい！")});
    EXPECT_EQ(dialog.field(F::AddresseeTop)->text(), u("0.0"));
    typeOver(dialog.field(F::LowerFold), u("-297.05"));
    EXPECT_EQ(m_messages.messages().last(), u("-297.0から297.0迄を入力して下さい！"));
    EXPECT_EQ(dialog.field(F::LowerFold)->text(), u("210.0"));
    // Just past the range is refused, not cut to its end.
    typeOver(dialog.field(F::AddresseeTop), u("99.95"));
    EXPECT_EQ(m_messages.messages().size(), 3);
    EXPECT_EQ(m_messages.messages().last(), u("-99.9から99.9迄を入力して下さい！"));
    EXPECT_EQ(dialog.field(F::AddresseeTop)->text(), u("0.0"));
    typeOver(dialog.field(F::UpperFold), u("297.05"));
    EXPECT_EQ(m_messages.messages().size(), 4);
    EXPECT_EQ(m_messages.messages().last(), u("-297.0から297.0迄を入力して下さい！"));
    typeOver(dialog.field(F::LowerFold), u("-1.25"));
    QTest::mouseClick(dialog.colourButton(), Qt::LeftButton);
    dialog.breakdownBox()->click();
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    // "003.dat" and the printer's own file both hold the new positions.
    SettingsStore reader(m_folder.path());
    ASSERT_TRUE(reader.LoadSettingsFile(SettingsFileId::Print));
    const kv::data::PrintSettings written = reader.print();
    EXPECT_EQ(written.positions.slipTop, 123);
    EXPECT_EQ(written.positions.slipLeft, -1);
    EXPECT_EQ(written.positions.addresseeLeft, 82);
    EXPECT_EQ(written.positions.addresseeTop, 0);
    EXPECT_EQ(written.positions.lowerFold, -13);
    EXPECT_EQ(written.colourInk, 1);
    EXPECT_EQ(written.partsLabourBreakdown, 1);
    EXPECT_EQ(written.discountSign, 1);
    ASSERT_EQ(reader.LoadPrintPositions(u("PC7LBP3000.dat")), 1);
    EXPECT_EQ(reader.print().positions, written.positions);
    EXPECT_EQ(m_announcer.texts(), QStringList{u("Update,印字")});
}

} // namespace
