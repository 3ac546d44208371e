// The search dialogs and the reading index through real key presses on
// real widgets: the entry dialogs' range checks, the reading pick list,
// the reading index's kana rows, the capacity announcement.

#include "SearchTestFolder.h"

#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "data/engine/DayNumber.h"
#include "records/search/CAllSearchFrame.h"
#include "records/search/CAllSearchGroup.h"
#include "records/search/CAllSearchListView.h"
#include "records/search/CDKokCodeSearch.h"
#include "records/search/QueryFormValues.h"
#include "records/search/CDPrenoSearch.h"
#include "records/search/CKokRanSearchFrame.h"
#include "records/search/CKokRanSearchListView.h"
#include "records/search/PanelNavigator.h"
#include "records/search/PanelSearches.h"
#include "records/search/SearchPickList.h"
#include "records/search/SearchProfile.h"
#include "support/ModalDialogHelper.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv::records::search;
using kv::test::CustomerBuilder;
using kv::test::SearchTestFolder;
using kv::test::u;

namespace {

class FakePanel : public PanelNavigator {
public:
    bool showCustomer(int code, bool setMode) override
    {
        shown.push_back(code);
        setModes.push_back(setMode);
        shownCustomer = code;
        return true;
    }
    bool showVehicle(int code, bool) override
    {
        shownVehicles.push_back(code);
        return true;
    }
    void setModeText(int mode) override { modeText = mode; }
    void setSearchMode(int mode) override { searchMode = mode; }
    int shownCustomerCode() const override { return shownCustomer; }
    void releaseReservations() override { ++released; }
    void indexWindowOpened(bool disablesMainWindow) override
    {
        ++openWindows;
        mainDisabled = disablesMainWindow;
    }
    void indexWindowClosed(bool) override
    {
        --openWindows;
        mainDisabled = false;
    }

    std::vector<int> shown;
    std::vector<bool> setModes;
    std::vector<int> shownVehicles;
    int shownCustomer = 0;
    int modeText = 0;
    int searchMode = 0;
    int released = 0;
    int openWindows = 0;
    bool mainDisabled = false;
};

class SearchWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isOpen());
        kv::data::DataStore& store = folder.store();
        CustomerBuilder(1).name(u("加藤")).reading(u("ｶﾄｳ")).address(u("東京都")).vehicles(1)
            .insertInto(store);
        CustomerBuilder(2).name(u("加藤")).reading(u("ｶﾄｳﾀﾛｳ")).address(u("大阪府")).vehicles(3)
            .insertInto(store);
        CustomerBuilder(3).name(u("門")).reading(u("ｶﾄﾞ")).insertInto(store);
        CustomerBuilder(4).name(u("新規作成中")).reading(u("ｶﾄｳ")).insertInto(store);
        CustomerBuilder(6).name(u("佐藤")).reading(u("ｻﾄｳ")).insertInto(store);
        CustomerBuilder(7).name(u("曽我")).reading(u("ｿﾝﾝ")).insertInto(store);
        CustomerBuilder(8).name(u("名無")).insertInto(store);
        CustomerBuilder(10).name(u("田中")).reading(u("ﾀﾅｶ")).insertInto(store);
        SearchTestFolder::vehicle(21, 2, 1234).insertInto(store);
        SearchTestFolder::vehicle(20, 2, 1234).insertInto(store);
        SearchTestFolder::vehicle(22, 2, 1234).insertInto(store);
    }

    kv::test::SearchTestFolder folder;
    kv::test::RecordingMessageGateway messages;
    kv::test::TempFolder profileDir;
    QSettings settings{profileDir.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    SearchProfile profile{&settings};
    FakePanel panel;
    PanelSearches searches{folder.store(), panel, {QString(), u("トヨタ")}, profile, nullptr};
};

void pressEnter(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

TEST_F(SearchWindows, CodeEntryRefusesOutOfRangeAndStaysOpen)
{
    CDKokCodeSearch dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.text(), QStringLiteral("1"));
    dialog.field()->setFocus();
    dialog.field()->selectAll();
    QTest::keyClicks(dialog.field(), QStringLiteral("1000000"));
    pressEnter(dialog.field());
    EXPECT_EQ(QApplication::focusWidget(), dialog.searchButton());
    pressEnter(dialog.searchButton());
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages().front(), u("1 から 999999 までの整数を入力してください。"));
    dialog.field()->selectAll();
    QTest::keyClicks(dialog.field(), QStringLiteral("42"));
    pressEnter(dialog.field());
    pressEnter(dialog.searchButton());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.value(), 42);
}

TEST_F(SearchWindows, ReadingSearchOneMatchShowsTwoMatchesAsk)
{
    EXPECT_TRUE(searches.showByReading(u("ｶﾄﾞ")));
    EXPECT_EQ(panel.shown, std::vector<int>{3});
    EXPECT_EQ(panel.modeText, 2);

    kv::test::ModalDialogHelper dialogs;
    int listed = 0;
    QString caption;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* pick = qobject_cast<SearchPickList*>(dialog);
        ASSERT_TRUE(pick);
        caption = pick->windowTitle();
        listed = pick->list()->rowCount();
        QTest::keyClick(pick->list(), Qt::Key_Down);
        QTest::keyClick(pick->list(), Qt::Key_Return);
    });
    EXPECT_TRUE(searches.showByReading(u("ｶﾄｳ")));
    EXPECT_EQ(caption, u("該当顧客一覧"));
    EXPECT_EQ(listed, 2); // ｶﾄｳ and ｶﾄｳﾀﾛｳ; neither ｶﾄﾞ nor the placeholder
    EXPECT_EQ(panel.shown.back(), 2);

    dialogs.answerNext([](QWidget* dialog) {
        QTest::keyClick(qobject_cast<SearchPickList*>(dialog)->list(), Qt::Key_Escape);
    });
    const size_t before = panel.shown.size();
    EXPECT_FALSE(searches.showByReading(u("ｶﾄｳ")));
    EXPECT_EQ(panel.shown.size(), before);

    EXPECT_FALSE(searches.showByReading(u("ﾝﾝ")));
    EXPECT_EQ(messages.messages().back(), u("該当顧客が存在しません！"));
}

TEST_F(SearchWindows, PlateSearchListsTheVehiclesInCodeOrder)
{
    kv::test::ModalDialogHelper dialogs;
    QStringList plates;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* pick = qobject_cast<SearchPickList*>(dialog);
        for (int row = 0; row < pick->list()->rowCount(); ++row)
            plates << QString::number(pick->list()->codeOfRow(row));
        QTest::keyClick(pick->list(), Qt::Key_End);
        QTest::keyClick(pick->list(), Qt::Key_Return);
    });
    EXPECT_TRUE(searches.showByPlate(1234));
    EXPECT_EQ(plates, (QStringList{"20", "21", "22"}));
    EXPECT_EQ(panel.shownVehicles, std::vector<int>{22});
    EXPECT_EQ(panel.modeText, 4);

    panel.shownCustomer = 1;
    searches.showOwnedVehicles();
    EXPECT_EQ(messages.messages().back(), u("保有車輌は現在表示されている１台のみです！"));

    QString caption;
    std::vector<int> owned;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* pick = qobject_cast<SearchPickList*>(dialog);
        caption = pick->windowTitle();
        for (int row = 0; row < pick->list()->rowCount(); ++row)
            owned.push_back(pick->list()->codeOfRow(row));
        QTest::keyClick(pick->list(), Qt::Key_Down);
        QTest::keyClick(pick->list(), Qt::Key_Return);
    });
    panel.shownCustomer = 2;
    searches.showOwnedVehicles();
    EXPECT_EQ(caption, u("保有車輌一覧"));
    EXPECT_EQ(owned, (std::vector<int>{20, 21, 22}));
    EXPECT_EQ(panel.shownVehicles.back(), 21);

    panel.shownCustomer = 0;
    const auto shownBefore = messages.messages().size();
    searches.showOwnedVehicles(); // nothing displayed: nothing happens
    EXPECT_EQ(messages.messages().size(), shownBefore);
}

TEST_F(SearchWindows, ReadingIndexRowsByKeysAndThePanelFollows)
{
    bool closed = false;
    QPointer<CKokRanSearchFrame> frame = searches.openReadingIndex([&] { closed = true; });
    ASSERT_TRUE(frame);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    auto* list = frame->listView();
    EXPECT_EQ(panel.searchMode, 2);
    EXPECT_EQ(panel.released, 1);
    EXPECT_EQ(panel.openWindows, 1);
    EXPECT_TRUE(panel.mainDisabled);
    EXPECT_TRUE(frame->rowAction(0)->isChecked()); // the saved row, 0 at first
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_TRUE(panel.shown.empty());
    QTest::keyClick(list, Qt::Key_3);
    EXPECT_TRUE(frame->rowAction(2)->isChecked());
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->codeOfRow(0), 6);
    EXPECT_EQ(list->codeOfRow(1), 7);
    EXPECT_EQ(panel.shown.back(), 6);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(panel.shown.back(), 7);
    EXPECT_EQ(panel.setModes.back(), false);
    QTest::keyClick(list, Qt::Key_Period);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->codeOfRow(0), 8); // the empty reading
    QTest::keyClick(list, Qt::Key_Escape);
    QTRY_VERIFY(!frame);
    EXPECT_TRUE(closed);
    EXPECT_EQ(panel.openWindows, 0);
    EXPECT_FALSE(panel.mainDisabled);
    EXPECT_EQ(profile.kanaRow(), 10);
}

TEST_F(SearchWindows, ListBeyondItsCapacityIsAnnounced)
{
    {
        CDaoKokSet set(folder.store().connectionFor(CDaoKokSet::tableDef()));
        ASSERT_TRUE(set.Open());
        kv::data::UnitOfWork work(folder.store().connectionFor(CDaoKokSet::tableDef()));
        for (int code = 100; code < 100 + Capacity::kReadingMatches + 1; ++code) {
            ASSERT_TRUE(set.AddNew());
            set.m_KokCode = code;
            set.m_UserName1 = u("鈴木");
            set.m_Furi = u("ｽｽﾞｷ");
            ASSERT_TRUE(set.Update());
        }
        ASSERT_TRUE(work.commit());
    }
    kv::test::ModalDialogHelper dialogs;
    int listed = 0;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* pick = qobject_cast<SearchPickList*>(dialog);
        listed = pick->list()->rowCount();
        QTest::keyClick(pick->list(), Qt::Key_Return);
    });
    EXPECT_TRUE(searches.showByReading(u("ｽｽﾞｷ")));
    EXPECT_EQ(listed, Capacity::kReadingMatches);
    ASSERT_FALSE(messages.messages().isEmpty());
    EXPECT_EQ(messages.messages().back(),
              u("該当データが4,001件あります！\n先頭の4,000件のみ一覧に表示します"));
}

TEST_F(SearchWindows, QueryGroupPresetFromTheProfileAndSwitchedByKeys)
{
    profile.setQueryTarget(1);
    profile.setQueryJoiner(1);
    CAllSearchGroup group;
    group.preset(profile);
    EXPECT_EQ(group.target(), 1);
    EXPECT_EQ(group.joiner(), 1);
    group.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
    QSignalSpy switched(&group, &CAllSearchGroup::targetChanged);
    group.vehicleButton()->setFocus();
    QTest::keyClick(group.vehicleButton(), Qt::Key_Left);
    EXPECT_EQ(group.target(), 0);
    ASSERT_EQ(switched.size(), 1);
    EXPECT_EQ(switched.front().front().toInt(), 0);
    EXPECT_EQ(group.joiner(), 1); // the other pair is left alone
}

TEST_F(SearchWindows, QueryByFormStrayQuoteOrWildcardIsOneMessageAndNothingElse)
{
    for (const char* text : {"ｶﾄｳ\" OR Furi Like \"*", "[ｶﾄ"}) {
        messages.clear();
        QueryFormValues customer;
        customer.setText(QStringLiteral("Furi"), u(text));
        const auto execution = searches.executeQuery(customer, {}, 0, 0, 1);
        EXPECT_EQ(execution.end, PanelSearches::QueryEnd::KeepQueryMode) << text;
        EXPECT_EQ(execution.focusColumn, QStringLiteral("Furi"));
        EXPECT_EQ(execution.window, nullptr);
        ASSERT_EQ(messages.messages().size(), 1) << text;
        EXPECT_TRUE(messages.messages().front().startsWith(u("クエリ式")));
        EXPECT_TRUE(panel.shown.empty());
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<CAllSearchFrame*>(window) && window->isVisible());
}

TEST_F(SearchWindows, QueryByFormResultsFollowedByThePanel)
{
    QueryFormValues names;
    names.setText(QStringLiteral("UserName1"), u("佐藤"));
    names.setText(QStringLiteral("Furi"), u("ﾀﾅｶ"));
    bool closed = false;
    auto execution = searches.executeQuery(names, {}, 0, 1, 3, [&] { closed = true; });
    ASSERT_EQ(execution.end, PanelSearches::QueryEnd::ResultShown);
    QPointer<CAllSearchFrame> window = execution.window;
    EXPECT_EQ(window->windowTitle(), u("指定検索　該当顧客 = 2件"));
    EXPECT_EQ(panel.searchMode, 3);
    EXPECT_EQ(panel.shown, (std::vector<int>{6}));
    EXPECT_EQ(panel.openWindows, 1);
    EXPECT_FALSE(panel.mainDisabled);
    QTest::keyClick(window->listView(), Qt::Key_Down);
    EXPECT_EQ(panel.shown.back(), 10);
    QTest::keyClick(window->listView(), Qt::Key_Return);
    QTRY_VERIFY(!window);
    EXPECT_TRUE(closed);
    EXPECT_EQ(profile.queryJoiner(), 1);

    const double day = kv::data::toDayNumber(QDate(2025, 6, 30));
    SearchTestFolder::vehicle(30, 6, 77).inspectionExpiry(day).insertInto(folder.store());
    SearchTestFolder::vehicle(31, 10, 78).inspectionExpiry(day + 0.5).insertInto(folder.store());
    SearchTestFolder::vehicle(32, 10, 79).inspectionExpiry(day + 1).insertInto(folder.store());
    QueryFormValues expiry;
    expiry.setDate(QStringLiteral("Syaman"), QDate(2025, 6, 30));
    execution = searches.executeQuery({}, expiry, 1, 0, 0);
    ASSERT_EQ(execution.end, PanelSearches::QueryEnd::ResultShown);
    window = execution.window;
    EXPECT_EQ(window->windowTitle(), u("指定検索　該当車輌 = 2件"));
    EXPECT_EQ(window->listView()->codeOfRow(0), 30);
    EXPECT_EQ(window->listView()->codeOfRow(1), 31);
    EXPECT_EQ(panel.shownVehicles, std::vector<int>{30});
    EXPECT_EQ(panel.searchMode, 1);
    window->close();

    QueryFormValues nobody;
    nobody.setText(QStringLiteral("UserName1"), u("該当なし"));
    messages.clear();
    EXPECT_EQ(searches.executeQuery(nobody, {}, 0, 0, 1).end, PanelSearches::QueryEnd::NoResult);
    EXPECT_EQ(messages.messages(), QStringList{u("該当データが存在しません！")});
}

} // namespace
