// The slip window's pane order and recording, with panes that say what
// they are told to.

#include "slips/ui/CDenFrame.h"

#include "data/document/DocumentTestFolder.h"
#include "data/service/ShareLockAction.h"
#include "slips/core/SlipAccess.h"
#include "slips/core/SlipTitles.h"
#include "support/CustomerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QAction>
#include <QApplication>
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
    void setRates(int labour, int) override { rate = labour; }
    void insertRow() override { *m_log << "insert"; }
    void cutRow() override {}
    void copyRow() override {}
    void pasteRow() override {}
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
    bool heldHere(const char* resource, int code)
    {
        return !doc->ShareLock(QString::fromLatin1(resource), "PC3", code,
                               kv::data::ShareLockAction::IsHeldElsewhere);
    }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<SlipAccess> access;
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
    EXPECT_EQ(log, (QStringList{"header checked", "lines checked", "lines active"}));
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Lines);
    EXPECT_FALSE(frame->commandAction(Qt::Key_F11)->isEnabled());
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
    delete frame;
    ASSERT_TRUE(access->open(1, 10).ok);
    CDenFrame::Setup setup;
    setup.slipNumber = 32;
    setup.customerCode = setup.billingCode = 1;
    setup.vehicleCode = 10;
    setup.profile = &profile;
    Header header2{"header", &log};
    Lines lines2{"lines", &log};
    Totals totals2{"totals", &log};
    QPointer<CDenFrame> window = new CDenFrame(*doc, *access, setup, header2, lines2, totals2);
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(header2.widget()->width(), 240);
    window->close();
    QApplication::processEvents();
    EXPECT_EQ(profile.value("Den/Maximize").toInt(), 0);
    EXPECT_EQ(profile.value("Den/cx").toInt(), window.isNull() ? 809 : 0) << "the default width";
    EXPECT_EQ(profile.value("Den/Kihoncx").toInt(), 240);
    EXPECT_TRUE(profile.contains("Den/Totcy"));
}

} // namespace
