// The slip window's pane order and recording, with panes that say what
// they are told to.

#include "slips/ui/CDenFrame.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/SettingsStore.h"
#include "print/PagePainter.h"
#include "print/PrinterAccess.h"
#include "support/FakePrinterAccess.h"
#include "support/PdfWords.h"
#include "slips/core/InvoiceArchive.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipTitles.h"
#include "support/CustomerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace kv::test;
using namespace kv::slips;

namespace {

// A pane that is one edit, refusing or accepting as told, and logging.
template <class Pane>
class ToldPane : public Pane {
public:
    explicit ToldPane(QString name, QStringList* log) : m_name(std::move(name)), m_log(log) {}
    // The frame takes the widget over, as it does a real pane's.
    QWidget* widget() override { return m_edit; }
    void activate() override
    {
        *m_log << m_name + " active";
        m_edit->setFocus();
    }
    bool refuses = false;

protected:
    bool answer(const char* what)
    {
        *m_log << m_name + " " + what;
        return !refuses;
    }

    QString m_name;
    QStringList* m_log;
    QLineEdit* m_edit = new QLineEdit;
};

class Header final : public ToldPane<SlipHeaderPane> {
public:
    using ToldPane::ToldPane;
    bool validateHeader(HeaderValues* values) override
    {
        values->kind = DeliveryNote;
        values->issueDate = QDate(2026, 12, 10);
        values->categoryCode = 1;
        values->categoryKind = kInspectionCategoryKind;
        values->nextInspection = QDate(2028, 12, 9);
        values->labourRate = 8000;
        return answer("checked");
    }
};

class Lines final : public ToldPane<SlipLinesPane> {
public:
    using ToldPane::ToldPane;
    bool checkLines(int* parts, int* labour) override
    {
        *parts = 12345;
        *labour = 20000;
        return answer("checked");
    }
    bool storedLines(std::vector<kv::data::SyaJnlRow>* lines) override
    {
        kv::data::SyaJnlRow line;
        line.m_LineNo = 2;
        line.m_Meisai = u("オイル交換");
        lines->assign(1, line);
        return true;
    }
    std::vector<std::array<QString, 7>> printedRows() const override
    {
        return {{u("オイル交換"), u("部品"), {}, u("1.0"), u("4,000"), u("4,000"), u("500")}};
    }
    void setRates(int labour, int) override { rate = labour; }
    void insertRow() override { *m_log << "insert"; }
    void cutRow() override {}
    void copyRow() override {}
    void pasteRow() override {}
    void openItemList() override { *m_log << "items"; }
    void openSetList() override { *m_log << "sets"; }
    void setCategoryListShown(bool shown) override { *m_log << (shown ? "categories" : "no categories"); }
    int rate = 0;
};

class Totals final : public ToldPane<SlipTotalsPane> {
public:
    using ToldPane::ToldPane;
    bool recalcAll(int parts, int labour) override
    {
        m_sum = parts + labour;
        return answer("recomputed");
    }
    void writeTotals(kv::data::SyaheadRow& header) const override
    {
        header.m_Tot = header.m_Seikyu = m_sum;
    }

private:
    int m_sum = 0;
};

// The printer as a test stands in for it: it keeps what it was given.
using FakePrinters = kv::test::FakePrinterAccess;

class SlipWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(CustomerBuilder(1).name(u("山田"), u("太郎")).insertInto(doc->store()));
        ASSERT_TRUE(VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234)
                        .model(u("プリウス")).insertInto(doc->store()));
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());
        access = std::make_unique<SlipAccess>(*doc);
        ASSERT_TRUE(access->open(1, 10).ok);
        CDenFrame::Setup setup;
        setup.slipNumber = 31;
        setup.customerCode = 1;
        setup.billingCode = 1;
        setup.vehicleCode = 10;
        setup.printers = &printers;
        frame = new CDenFrame(*doc, *access, setup, header, lines, totals);
        frame->show();
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        log.clear();
    }
    void TearDown() override { delete frame; }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }
    // In place of the fixture's window, another on the same slip work with
    // panes of its own (the first window takes its panes' widgets along).
    struct Another {
        Another(QStringList* log) : header("header", log), lines("lines", log), totals("totals", log) {}
        Header header;
        Lines lines;
        Totals totals;
        QPointer<CDenFrame> window;
    };
    std::unique_ptr<Another> reopen(int slipNumber, QSettings* profile, FakePrinters* printersOrNone)
    {
        delete frame;
        EXPECT_TRUE(access->open(1, 10).ok);
        CDenFrame::Setup setup;
        setup.slipNumber = slipNumber;
        setup.customerCode = setup.billingCode = 1;
        setup.vehicleCode = 10;
        setup.profile = profile;
        setup.printers = printersOrNone;
        auto another = std::make_unique<Another>(&log);
        another->window = new CDenFrame(*doc, *access, setup, another->header, another->lines,
                                        another->totals);
        another->window->show();
        return another;
    }
    bool heldHere(const char* resource, int code)
    {
        return !doc->ShareLock(QString::fromLatin1(resource), "PC3", code,
                               kv::data::ShareLockAction::IsHeldElsewhere);
    }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<SlipAccess> access;
    FakePrinters printers;
    QStringList log;
    // Declared before the frame, which shows their widgets.
    Header header{"header", &log};
    Lines lines{"lines", &log};
    Totals totals{"totals", &log};
    QPointer<CDenFrame> frame;
};

TEST_F(SlipWindow, EachPaneSwitchChecksHeaderLinesAndTotalsInTurn)
{
    press(Qt::Key_F2);
    EXPECT_EQ(log, (QStringList{"header checked", "lines checked", "totals recomputed",
                                "lines active"}));
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Lines);
    EXPECT_EQ(lines.rate, 8000) << "the grid prices labour at the header's rate";
    EXPECT_TRUE(frame->commandAction(Qt::Key_F6)->isEnabled());
    EXPECT_FALSE(frame->commandAction(Qt::Key_F11)->isEnabled());
    press(Qt::Key_F6);
    EXPECT_EQ(log.last(), "insert");

    log.clear();
    lines.refuses = true;
    press(Qt::Key_F3);
    // The refusing pane is the active one, the focus left where its check
    // put it.
    EXPECT_EQ(log, (QStringList{"header checked", "lines checked"}));
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Lines);
    EXPECT_FALSE(frame->commandAction(Qt::Key_F11)->isEnabled());
}

TEST_F(SlipWindow, APaneClickedIntoIsTheActivePaneForItsCommands)
{
    // The totals reached with the mouse: F11 records from there, the row
    // commands are off; the lines reached so: the other way round.
    QTest::mouseClick(totals.widget(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Totals);
    EXPECT_TRUE(frame->commandAction(Qt::Key_F11)->isEnabled());
    EXPECT_FALSE(frame->commandAction(Qt::Key_F6)->isEnabled());
    QTest::mouseClick(lines.widget(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Lines);
    EXPECT_TRUE(frame->commandAction(Qt::Key_F6)->isEnabled());
    EXPECT_FALSE(frame->commandAction(Qt::Key_F11)->isEnabled());

    QTest::mouseClick(totals.widget(), Qt::LeftButton);
    QApplication::processEvents();
    folder.messages.answerNext(true);
    press(Qt::Key_F11);
    EXPECT_TRUE(frame.isNull()) << "recorded after every pane checked";
    EXPECT_EQ(log.mid(0, 3), (QStringList{"header checked", "lines checked", "totals recomputed"}));
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT Tot FROM f003.Syahead WHERE DenNo = 31"),
              32345);
}

TEST_F(SlipWindow, F11RecordsTheSlipAndClosesTheWindow)
{
    press(Qt::Key_F3);
    ASSERT_EQ(frame->activePane(), CDenFrame::Pane::Totals);
    QSignalSpy recorded(frame.data(), &CDenFrame::recorded);
    folder.messages.answerNext(true);
    press(Qt::Key_F11);
    ASSERT_EQ(recorded.size(), 1) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(recorded.first().at(0).toInt(), 31);
    EXPECT_TRUE(recorded.first().at(1).toBool()) << "a delivery note of an inspection";
    EXPECT_TRUE(frame.isNull()) << "recording only closes the window";
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT Tot FROM f003.Syahead WHERE DenNo = 31"),
              32345);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f002.SyaJnl WHERE DenNo = 31"
                                               " AND LineNo = 2"),
              1);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT GTot FROM f013.ToriJnl WHERE DenNo = 31"),
              32345);
    EXPECT_FALSE(heldHere("009.mdb", 10)) << "closing gave the locks back";
}

TEST_F(SlipWindow, TitlesNameTheCustomerAndThePlate)
{
    ASSERT_TRUE(doc->FindCustomer(1));
    ASSERT_TRUE(doc->FindVehicle(10));
    const QString subject =
        slipSubject(doc->customers().row(), doc->vehicles().row(), u("トヨタ"));
    EXPECT_EQ(slipWindowTitle(0, subject),
              u("伝票新規   顧客：1 山田太郎   車輌：10  品川 500 あ 1234   トヨタ プリウス"));
    EXPECT_EQ(historyTitle(subject).left(7), u("車歴一覧   "));
    kv::data::CarRow bare;
    bare.m_Rikuji = u("品川");
    EXPECT_EQ(plateText(bare), u("品川    ") + u("      "));
}

TEST_F(SlipWindow, PaneSizesAndPlacementAreKeptInTheProfile)
{
    TempFolder profileFolder;
    QSettings profile(profileFolder.path() + "/profile.ini", QSettings::IniFormat);
    profile.setValue("Den/Kihoncx", 240);
    profile.setValue("Den/Totcy", 150);
    const auto another = reopen(32, &profile, nullptr);
    QPointer<CDenFrame> window = another->window;
    QApplication::processEvents();
    EXPECT_EQ(another->header.widget()->width(), 240);
    window->close();
    QApplication::processEvents();
    EXPECT_EQ(profile.value("Den/Maximize").toInt(), 0);
    EXPECT_EQ(profile.value("Den/cx").toInt(), window.isNull() ? 809 : 0) << "the default width";
    EXPECT_EQ(profile.value("Den/Kihoncx").toInt(), 240);
    EXPECT_TRUE(profile.contains("Den/Totcy"));
}

TEST_F(SlipWindow, F12RecordsPrintsEveryCopyAndCloses)
{
    press(Qt::Key_F3);
    EXPECT_TRUE(frame->commandAction(Qt::Key_F10)->isEnabled());
    EXPECT_TRUE(frame->commandAction(Qt::Key_F12)->isEnabled());
    folder.messages.answerNext(true); // the sale
    press(Qt::Key_F12);
    EXPECT_EQ(printers.printed, QStringList{u("伝票：000031")})
        << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(printers.pages, 3) << "three copies of one page";
    EXPECT_TRUE(frame.isNull());
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 31"), 1);
}

TEST_F(SlipWindow, F12WithoutACopyKeepsTheRecordedSlipOpen)
{
    TempFolder profileFolder;
    QSettings profile(profileFolder.path() + "/profile.ini", QSettings::IniFormat);
    for (const char* key : {"Den/PrintNou1", "Den/PrintNou2", "Den/PrintNou3"})
        profile.setValue(key, 0);
    const auto another = reopen(33, &profile, &printers);
    QPointer<CDenFrame> window = another->window;
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->selectedCopies(DeliveryNote), (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(window->selectedCopies(Estimate), (std::array<bool, 3>{true, true, false}));
    ASSERT_TRUE(window->switchTo(CDenFrame::Pane::Totals));
    folder.messages.answerNext(true);
    EXPECT_FALSE(window->recordAndPrint());
    EXPECT_EQ(folder.messages.messages().last(), u("印刷対象が指定されていません！"));
    EXPECT_TRUE(printers.printed.isEmpty());
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->mode(), SlipMode::Modify) << "recorded all the same";
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 33"), 1);
    delete window;
}

TEST_F(SlipWindow, F10PrintsWithoutRecordingAfterTheQuestion)
{
    press(Qt::Key_F3);
    folder.messages.answerNext(false);
    press(Qt::Key_F10);
    EXPECT_EQ(folder.messages.questions(), QStringList{u("記録されませんが、印刷のみで本当によろしいですね？")});
    EXPECT_TRUE(printers.printed.isEmpty());
    ASSERT_FALSE(frame.isNull());

    folder.messages.answerNext(true);
    press(Qt::Key_F10);
    EXPECT_EQ(printers.printed.size(), 1);
    EXPECT_TRUE(frame.isNull());
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f003.Syahead"), 0);
    // A new slip keeps its number, and its inspection moves the vehicle's
    // expiry, as recording would.
    EXPECT_EQ(doc->settings().general().lastRecordedSlipNo, 31);
    ASSERT_TRUE(doc->FindVehicle(10));
    EXPECT_EQ(doc->vehicles().row().m_Syaman, kv::data::toDayNumber(QDate(2028, 12, 9)));
}

TEST_F(SlipWindow, WithoutAPrinterThePreviewOrAPdfIsOffered)
{
    printers.installed = false;
    press(Qt::Key_F3);
    folder.messages.answerNext(true); // print only
    folder.messages.answerNext(true); // the preview
    press(Qt::Key_F10);
    EXPECT_EQ(folder.messages.questions().value(1), u("プリンタがありません！\n印刷プレビューを表示しますか？"));
    EXPECT_EQ(printers.previewed.size(), 1);
    EXPECT_TRUE(frame.isNull());
}

TEST_F(SlipWindow, PdfHoldsThePagesThePrinterWouldGet)
{
    TempFolder pdfFolder;
    printers.pdfPath = pdfFolder.file("slip.pdf");
    press(Qt::Key_F3);
    ASSERT_TRUE(frame->saveAsPdf());
    EXPECT_EQ(printers.suggestedName, u("伝票000031.pdf"));
    const auto pdf = PdfWords::read(*printers.pdfPath);
    ASSERT_TRUE(pdf.ok) << pdf.error.toStdString();
    EXPECT_EQ(pdf.pages.size(), 3u);
    EXPECT_FALSE(pdf.find(1, u("オイル交換")).empty());
    EXPECT_FALSE(frame.isNull()) << "saving a PDF leaves the slip open";

    // The printer refusing a job: the user turns down the preview and takes a PDF.
    printers.accepts = false;
    QFile::remove(*printers.pdfPath);
    folder.messages.answerNext(true);  // print only
    folder.messages.answerNext(false); // no preview
    folder.messages.answerNext(true);  // a PDF
    press(Qt::Key_F10);
    EXPECT_EQ(printers.printed.size(), 1);
    EXPECT_TRUE(QFile::exists(*printers.pdfPath));
    EXPECT_TRUE(frame.isNull());
}

TEST_F(SlipWindow, AnIssuersDeliveryNoteIsArchivedWhenPrintedOrSavedNotWhenPreviewed)
{
    const kv::slips::InvoiceArchive archive(doc->settings().dataFolder());
    TempFolder pdfFolder;
    printers.pdfPath = pdfFolder.file("slip.pdf");
    press(Qt::Key_F3);
    ASSERT_TRUE(frame->saveAsPdf());
    EXPECT_TRUE(archive.ofSlip(31).empty()) << "no registration number, no invoice";

    doc->settings().invoiceIssuer().registrationNumber = QStringLiteral("T7000012050002");
    ASSERT_TRUE(frame->saveAsPdf());
    ASSERT_EQ(archive.ofSlip(31).size(), 1u);
    const QString kept = archive.ofSlip(31).front().pdfPath;
    EXPECT_EQ(PdfWords::read(kept).pages.size(), PdfWords::read(*printers.pdfPath).pages.size());
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printers.previewed.size(), 1);
    EXPECT_EQ(archive.ofSlip(31).size(), 1u);

    // Issued once from other figures: from now on the slip is a correction.
    const int year = QFileInfo(kept).dir().dirName().toInt();
    QString error;
    ASSERT_TRUE(archive.keep(31, year, 1, QStringLiteral("other figures"), false,
                             [](const QString&, QString*) { return true; }, &error));
    folder.messages.answerNext(true); // print only
    press(Qt::Key_F10);
    EXPECT_EQ(printers.printed.size(), 1);
    const std::vector<kv::slips::ArchivedInvoice> versions = archive.ofSlip(31);
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_FALSE(versions[0].corrected);
    EXPECT_EQ(versions[2].version, 3);
    EXPECT_TRUE(versions[2].corrected);
    EXPECT_EQ(versions[2].customerCode, 1);
}

TEST_F(SlipWindow, ThePreviewIsOneKeyAwayWhereAPrinterIsThere)
{
    press(Qt::Key_F3);
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printers.previewed.size(), 1);
    EXPECT_TRUE(printers.printed.isEmpty());
    EXPECT_TRUE(folder.messages.questions().isEmpty()) << "no question before the preview";
    EXPECT_FALSE(frame.isNull()) << "the slip stays open";
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f003.Syahead"), 0);
}

TEST_F(SlipWindow, MissingCustomerPrintsNothing)
{
    kv::data::CCarMaintenanceDoc& d = *doc;
    DocumentTestFolder::sql(d, "DELETE FROM f010.Kok WHERE KokCode = 1");
    press(Qt::Key_F3);
    folder.messages.answerNext(true);
    press(Qt::Key_F10);
    EXPECT_TRUE(printers.printed.isEmpty());
    EXPECT_EQ(folder.messages.messages().last(), u("該当顧客が存在しません！"));
    EXPECT_FALSE(frame.isNull());
}

} // namespace
