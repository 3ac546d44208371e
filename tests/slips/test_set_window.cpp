// Work and parts sets through the keys of the real windows: the set window
// with its grid in set mode, and the slip grid that expands sets.

#include "SlipTestShop.h"

#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/CNumericEditEx.h"
#include "lan/core/RecordingChangeAnnouncer.h"
#include "masters/CKubunRefFrame.h"
#include "masters/CMeisaiSetRefFrame.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/SetRules.h"
#include "masters/core/SetStore.h"
#include "slips/core/SlipAccess.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CFSetMeisaiSet.h"
#include "slips/ui/CMeisaiScView.h"
#include "slips/ui/CSetMeisaiSetFrame.h"
#include "slips/ui/SlipWindowFactory.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QTest>

namespace {

using kv::masters::CMeisaiSetRefFrame;
using kv::masters::SetState;
using kv::slips::CDenFrame;
using kv::slips::CMeisaiScView;
using kv::slips::CSetMeisaiSetFrame;
using kv::test::u;

class SetWindowTest : public kv::test::SlipTestShop {
protected:
    void SetUp() override
    {
        SlipTestShop::SetUp();
        if (HasFatalFailure())
            return;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profileFolder.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder.path());
        profile = std::make_unique<QSettings>(profileFolder.path() + "/profile.ini",
                                              QSettings::IniFormat);
        sets = std::make_unique<kv::masters::SetStore>(*doc);
        // Set 12: lines 0, 1 and 3, the last one labour only.
        sql("INSERT INTO f012.MeisaiSetHead (SetCode, SetName, Furi) VALUES"
            " (12, 'オイル交換', 'ｵ'), (20, 'ワイパー', 'ﾜ'), (30, '新規作成中', '')");
        sql("INSERT INTO f012.MeisaiSetJnl (SetCode, LineNo, Meisai, Kubun, Sisu, Suuryo, Tanka,"
            " Kingaku, Koutin) VALUES"
            " (12, 0, 'エンジンオイル', 0, 0, 40, 1000, 4000, 0),"
            " (12, 1, 'フィルター', 0, 0, 10, 1, 1, 0),"
            " (12, 3, 'オイル交換工賃', 3, 5, 0, 0, 0, 2500),"
            " (20, 0, 'ワイパーゴム', 0, 0, 20, 800, 1600, 0)");
        // The counter as the server counts at start-up.
        ASSERT_TRUE(doc->setHeaders().Requery());
        ASSERT_GT(doc->RecordCounter(QStringLiteral("012.mdb"), 2), 0);
    }

    void sql(const QByteArray& text) { kv::test::DocumentTestFolder::sql(*doc, text); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QApplication::focusWidget()) << "no focus for key " << key;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }
    void type(const QString& text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        press(Qt::Key_Return);
    }
    static CMeisaiSetRefFrame* shownSetList()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* list = qobject_cast<CMeisaiSetRefFrame*>(window); list && list->isVisible())
                return list;
        }
        return nullptr;
    }
    void activate(QWidget* window)
    {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QString messages() const { return folder.messages.messages().join('|'); }
    CSetMeisaiSetFrame* newSetWindow()
    {
        CSetMeisaiSetFrame::Setup setup;
        setup.sets = sets.get();
        setup.settings = &doc->settings();
        setup.announcer = &announcer;
        setup.profile = profile.get();
        return new CSetMeisaiSetFrame(setup);
    }

    kv::test::TempFolder profileFolder;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<kv::masters::SetStore> sets;
    kv::lan::RecordingChangeAnnouncer announcer;
};

TEST_F(SetWindowTest, ATypedSetCodeAndCtrl2ExpandIntoTheSlip)
{
    kv::slips::SlipAccess access(*doc);
    ASSERT_TRUE(access.open(1, 10).ok);
    kv::slips::SlipContext context;
    context.slipNumber = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    QPointer<CDenFrame> frame = kv::slips::openSlipWindow(*doc, access, nullptr, profile.get(),
                                                          context, nullptr, nullptr, sets.get());
    ASSERT_TRUE(frame);
    activate(frame);
    auto* grid = frame->findChild<CMeisaiScView*>();
    ASSERT_TRUE(grid);

    press(Qt::Key_F2);
    grid->setCurrentCell(12, 0);
    grid->focusCurrentCell();
    type("keep");
    grid->setCurrentCell(10, 0);
    grid->focusCurrentCell();
    type("012");
    EXPECT_EQ(grid->cellText(10, 0), u("エンジンオイル"));
    EXPECT_EQ(grid->cellText(10, 3), QStringLiteral("4.0"));
    EXPECT_EQ(grid->cellText(10, 5), QStringLiteral("4,000"));
    EXPECT_EQ(grid->cellText(11, 5), u("持ち込み"));
    EXPECT_TRUE(grid->cellText(12, 0).isEmpty()) << "the gap of the set is cleared";
    EXPECT_EQ(grid->cellText(13, 1), doc->settings().categories().names[3]);
    EXPECT_EQ(grid->cellText(13, 6), QStringLiteral("2,500"));
    int parts = 0;
    int labour = 0;
    ASSERT_TRUE(grid->checkLines(&parts, &labour));
    EXPECT_EQ(parts, 4000);
    EXPECT_EQ(labour, 2500);

    // A placeholder is no set: its code stays as typed.
    grid->setCurrentCell(20, 0);
    grid->focusCurrentCell();
    type("030");
    EXPECT_EQ(grid->cellText(20, 0), QStringLiteral("030"));

    // Ctrl+2 lists the sets; Enter puts the focused one at the current row.
    grid->setCurrentCell(30, 0);
    grid->focusCurrentCell();
    press(Qt::Key_2, Qt::ControlModifier);
    QPointer<CMeisaiSetRefFrame> list = shownSetList();
    ASSERT_TRUE(list) << messages().toStdString();
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_EQ(list->rows().size(), 2) << "the placeholder is not listed";
    list->form()->list()->selectRow(1);
    QTest::keyClick(list->form()->list(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_EQ(grid->cellText(30, 0), u("ワイパーゴム"));
    ASSERT_TRUE(grid->checkLines(&parts, &labour));
    EXPECT_EQ(parts, 5600);
    delete frame;
}

TEST_F(SetWindowTest, KeysOfTheSetWindowRecordModifyAndDelete)
{
    QPointer<CSetMeisaiSetFrame> window = newSetWindow();
    activate(window);
    QApplication::processEvents();
    kv::slips::CFSetMeisaiSet* header = window->header();
    EXPECT_EQ(QApplication::focusWidget(), header->codeEdit());
    EXPECT_EQ(header->codeEdit()->text(), QStringLiteral("1"));
    const int counted = sets->counter(0);
    EXPECT_EQ(header->countLabel()->text(), kv::masters::SetRules::countLabel(counted));
    EXPECT_FALSE(window->commandAction(Qt::Key_F5)->isEnabled()) << "nothing to delete when new";

    // Name and reading, then a line in the grid, then F12.
    header->nameEdit()->setFocus();
    header->nameEdit()->setText(u("タイヤ交換"));
    header->readingEdit()->setFocus();
    header->readingEdit()->setText(u("ﾀ"));
    press(Qt::Key_F12);
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << messages().toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetCode = 1"
                     " AND SetName = 'タイヤ交換'"),
              1);
    EXPECT_EQ(header->codeEdit()->text(), QStringLiteral("2"));
    EXPECT_EQ(header->countLabel()->text(), kv::masters::SetRules::countLabel(counted + 1));

    // An empty name is refused before anything is written.
    press(Qt::Key_F12);
    EXPECT_EQ(folder.messages.messages().last(), u("ｾｯﾄ名を入力して下さい！"));
    EXPECT_EQ(QApplication::focusWidget(), header->nameEdit());

    // F4 chooses the set to modify in the list captioned 参照.
    press(Qt::Key_F4);
    QPointer<CMeisaiSetRefFrame> list = shownSetList();
    ASSERT_TRUE(list) << messages().toStdString();
    EXPECT_EQ(list->windowTitle(), u("参照"));
    EXPECT_TRUE(window->commandAction(Qt::Key_F4)->isChecked());
    const int row = list->form()->list()->rowOfCode(12);
    list->form()->list()->selectRow(row);
    QTest::keyClick(list->form()->list(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window->editor().state(), SetState::Modify);
    EXPECT_EQ(header->codeEdit()->text(), QStringLiteral("12"));
    EXPECT_EQ(header->nameEdit()->text(), u("オイル交換"));
    EXPECT_EQ(window->grid()->cellText(3, 0), u("オイル交換工賃"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetName = '新規作成中'"
                     " AND SetCode <> 30"),
              0)
        << "the code 新規 reserved was given back";

    // F2, F7 cuts the first line; F12 stores the lines moved up.
    press(Qt::Key_F2);
    window->grid()->setCurrentCell(0, 0);
    window->grid()->focusCurrentCell();
    press(Qt::Key_F7);
    press(Qt::Key_F12);
    EXPECT_EQ(kv::test::DocumentTestFolder::text(
                  *doc, "SELECT group_concat(LineNo) FROM (SELECT LineNo FROM f012.MeisaiSetJnl"
                        " WHERE SetCode = 12 ORDER BY LineNo)"),
              QStringLiteral("0,2"));
    EXPECT_EQ(announcer.texts().last(),
              u("Update,作業・部品ｾｯﾄ,") + QString::number(counted + 1));

    // Loaded again by its code, then F5 and Yes delete it whole.
    header->codeEdit()->setFocus();
    header->codeEdit()->setText(QStringLiteral("12"));
    press(Qt::Key_Tab);
    ASSERT_EQ(window->editor().state(), SetState::Modify) << messages().toStdString();
    folder.messages.answerNext(true);
    press(Qt::Key_F5);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetCode = 12"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetJnl WHERE SetCode = 12"), 0);
    EXPECT_EQ(header->countLabel()->text(), kv::masters::SetRules::countLabel(counted));
    EXPECT_TRUE(window->grid()->cellText(0, 0).isEmpty());

    // Ctrl+3 opens the set grid's category window and remembers it open;
    // pressed again it closes it and forgets.
    press(Qt::Key_3, Qt::ControlModifier);
    // The list deletes itself on close, so it is watched, not held.
    QPointer<kv::masters::CKubunRefFrame> categories =
        window->findChild<kv::masters::CKubunRefFrame*>();
    ASSERT_TRUE(categories);
    EXPECT_TRUE(categories->isVisible());
    EXPECT_TRUE(window->commandAction(QKeyCombination(Qt::ControlModifier, Qt::Key_3).toCombined())
                    ->isChecked());
    EXPECT_TRUE(kv::masters::ItemProfile().isShown(QStringLiteral("SetKubunRef")));
    window->activateWindow();
    QApplication::processEvents();
    window->commandAction(QKeyCombination(Qt::ControlModifier, Qt::Key_3).toCombined())->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(categories.isNull() || !categories->isVisible());
    EXPECT_FALSE(kv::masters::ItemProfile().isShown(QStringLiteral("SetKubunRef")));

    window->close();
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f012.MeisaiSetHead WHERE SetName = '新規作成中'"), 1)
        << "only the other computer's placeholder 30 remains";
    EXPECT_GT(profile->value("SetMeisaiSet/cx").toInt(), 0);
}

} // namespace

namespace {

TEST_F(SetWindowTest, ADeletionOnAnotherComputerRefreshesTheCountAfterTheWait)
{
    QPointer<CSetMeisaiSetFrame> window = newSetWindow();
    window->show();
    EXPECT_EQ(CSetMeisaiSetFrame::openInstance(), window.data());
    QLabel* count = window->header()->countLabel();
    const QString before = count->text();

    // The other computer deleted set 20 and counted it down.
    sql("DELETE FROM f012.MeisaiSetJnl WHERE SetCode = 20;"
        "DELETE FROM f012.MeisaiSetHead WHERE SetCode = 20;");
    const int after = sets->counter(-1);
    ASSERT_NE(kv::masters::SetRules::countLabel(after), before);
    window->setsChanged(true);
    EXPECT_EQ(count->text(), before) << "its write may not be visible yet";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return count->text() == kv::masters::SetRules::countLabel(after); }, 5000));
    delete window;
}

} // namespace
