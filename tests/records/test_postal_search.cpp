// The postal search: codes to addresses and addresses to codes over postal
// files made by the import, and the panel's 郵便番号 button driven by keys.

#include "records/DocumentPanelSource.h"
#include "records/PanelHost.h"
#include "records/PostalSearch.h"
#include "records/panel/CDPostSelect.h"
#include "records/panel/CFMainPanel.h"

#include "controls/CButtonEx.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "data/document/DocumentTestFolder.h"
#include "data/tools/PostalImport.h"
#include "support/CustomerBuilder.h"
#include "support/ModalDialogHelper.h"
#include "support/Utf8.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv::records;
using F = kv::records::PanelField;
using kv::test::u;

namespace {

// Prefecture list indexes (number - 1).
constexpr int kTokyo = 12;
constexpr int kAichi = 22;

// Two towns share 4520961; 4600000 stands in both Tokyo and Aichi, to
// show which prefecture comes first.
const char kPostalLines[] =
    "0600000\t1\t札幌市中央区\t\n"
    "1000001\t13\t千代田区\t千代田\n"
    "1000005\t13\t千代田区\t丸の内\n"
    "1000006\t13\t千代田区\t有楽町\n"
    "1020072\t13\t千代田区\t飯田橋\n"
    "1050011\t13\t港区\t芝公園\n"
    "4600000\t13\t港区\t芝\n"
    "4520961\t23\t清須市\t春日振形\n"
    "4520961\t23\t清須市\t春日中沼\n"
    "4600000\t23\t名古屋市中区\t\n";

class HostStub final : public PanelHost {
public:
    int mode() const override { return 1; }
    void SetCommandButtons(bool, bool, bool, bool, bool, bool, bool, bool, bool, bool) override {}
};

class PostalSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.programFolder.write(QStringLiteral("postal.tsv"), kPostalLines));
        QString error;
        ASSERT_TRUE(kv::data::PostalImport::import(
            folder.programFolder.path(), folder.programFolder.file(QStringLiteral("postal.tsv")),
            &error))
            << error.toStdString();
        doc = folder.open();
        ASSERT_TRUE(doc);
        search = std::make_unique<PostalSearch>(doc->store());
    }

    static QStringList texts(const std::vector<PostalAddress>& found)
    {
        QStringList out;
        for (const PostalAddress& a : found)
            out << QStringLiteral("%1 %2").arg(a.post, 7, 10, QLatin1Char('0')).arg(a.text());
        return out;
    }

    kv::test::DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<PostalSearch> search;
};

TEST_F(PostalSearchTest, CodesGiveTheirTownsDefaultPrefectureFirst)
{
    ASSERT_TRUE(search->available());
    EXPECT_TRUE(search->unavailableReason().isEmpty());
    EXPECT_EQ(texts(search->byCode(1000001, -1)), QStringList{u("1000001 東京都千代田区千代田")});
    EXPECT_EQ(texts(search->byCode(4520961, -1)),
              (QStringList{u("4520961 愛知県清須市春日振形"), u("4520961 愛知県清須市春日中沼")}));
    EXPECT_EQ(texts(search->byCode(4600000, -1)),
              (QStringList{u("4600000 東京都港区芝"), u("4600000 愛知県名古屋市中区")}));
    EXPECT_EQ(texts(search->byCode(4600000, kAichi)),
              (QStringList{u("4600000 愛知県名古屋市中区"), u("4600000 東京都港区芝")}));
    EXPECT_TRUE(search->byCode(9999999, kTokyo).empty());
    EXPECT_TRUE(search->byCode(0, kTokyo).empty());
    EXPECT_TRUE(search->lastError().description.isEmpty());
}

TEST_F(PostalSearchTest, AddressesTypedUpToTheTownFindTheirCode)
{
    // The prefecture may be left out; blanks and the house number do not count.
    EXPECT_EQ(texts(search->byAddress(u("東京都千代田区丸の内１－１"), -1)),
              QStringList{u("1000005 東京都千代田区丸の内")});
    EXPECT_EQ(texts(search->byAddress(u("千代田区　有楽町2-2"), kTokyo)),
              QStringList{u("1000006 東京都千代田区有楽町")});
    // A city whose code stands for the whole city.
    EXPECT_EQ(texts(search->byAddress(u("北海道札幌市中央区北一条西"), -1)),
              QStringList{u("0600000 北海道札幌市中央区")});
    // The towns of one code both answer.
    EXPECT_EQ(texts(search->byAddress(u("清須市春日振形12"), kAichi)),
              QStringList{u("4520961 愛知県清須市春日振形")});
    // A named prefecture keeps the search in it.
    EXPECT_TRUE(search->byAddress(u("北海道千代田区千代田"), kTokyo).empty());
    EXPECT_TRUE(search->byAddress(u("どこかの町"), kTokyo).empty());
    EXPECT_TRUE(search->byAddress(u("東京都"), kTokyo).empty());
}

TEST(PostalSearchMissing, WithoutPostalFilesTheButtonIsOffAndSaysWhy)
{
    kv::test::DocumentTestFolder folder;
    auto doc = folder.open();
    ASSERT_TRUE(doc);
    PostalSearch search(doc->store());
    EXPECT_FALSE(search.available());
    EXPECT_TRUE(search.byCode(1000001, kTokyo).empty());

    DocumentPanelSource source(*doc);
    HostStub host;
    CFMainPanel panel(source, doc->settings(), host);
    panel.setPostalSearch(&search);
    kv::CButtonEx* button = panel.captionButton(PickList::None);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->toolTip(), search.unavailableReason());
    EXPECT_TRUE(button->toolTip().contains(u("015.mdb")));
}

class PostalPanelTest : public PostalSearchTest {
protected:
    void SetUp() override
    {
        PostalSearchTest::SetUp();
        ASSERT_FALSE(HasFailure());
        kv::test::CustomerBuilder(1).name(u("山田")).reading(u("ﾔﾏﾀﾞ")).insertInto(doc->store());
        ASSERT_TRUE(doc->customers().Requery());
        source = std::make_unique<DocumentPanelSource>(*doc);
        panel = std::make_unique<CFMainPanel>(*source, doc->settings(), host);
        panel->setPostalSearch(search.get());
        panel->resize(panel->sizeHint());
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        ASSERT_TRUE(panel->ShowCustomer(1, true));
        folder.messages.clear();
    }

    kv::CEditEx* edit(F field) { return static_cast<kv::CEditEx*>(panel->fieldWidget(field)); }
    kv::CButtonEx* postButton() { return panel->captionButton(PickList::None); }

    void typeCode(const char* digits)
    {
        edit(F::Post)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit(F::Post)->selectAll();
        QTest::keyClick(edit(F::Post), Qt::Key_Backspace);
        QTest::keyClicks(edit(F::Post), QString::fromLatin1(digits));
    }
    void pressButton()
    {
        QTest::mouseClick(postButton(), Qt::LeftButton);
        QApplication::processEvents();
    }

    HostStub host;
    std::unique_ptr<DocumentPanelSource> source;
    std::unique_ptr<CFMainPanel> panel;
};

TEST_F(PostalPanelTest, ACodeFillsTheAddressAndAnAddressFindsItsCode)
{
    ASSERT_TRUE(postButton()->isEnabled());
    EXPECT_TRUE(postButton()->toolTip().isEmpty());

    typeCode("1000001");
    pressButton();
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("東京都千代田区千代田"));
    EXPECT_EQ(edit(F::Post)->text(), u("100-0001"));
    // The caret waits behind the town for the house number.
    EXPECT_TRUE(edit(F::OwnerJyu1)->hasFocus());
    QTest::keyClicks(edit(F::OwnerJyu1), QStringLiteral("1-1"));
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("東京都千代田区千代田1-1"));
    EXPECT_EQ(panel->heldValues().text(F::OwnerJyu1), u("東京都千代田区千代田1-1"));

    // Without a code the typed address finds it.
    typeCode("");
    edit(F::OwnerJyu1)->setText(u("千代田区飯田橋３丁目"));
    pressButton();
    EXPECT_EQ(edit(F::Post)->text(), u("102-0072"));

    // Ctrl+Space in the code field searches as the button does.
    typeCode("1000005");
    panel->ReferenceInput();
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("東京都千代田区丸の内"));
    EXPECT_TRUE(folder.messages.messages().isEmpty()) << folder.messages.messages().join('|').toStdString();
}

TEST_F(PostalPanelTest, SeveralTownsOfOneCodeAreOfferedAndTheChosenOneTaken)
{
    kv::test::ModalDialogHelper dialogs;
    QStringList offered;
    dialogs.answerNext([&offered](QWidget* dialog) {
        auto* select = qobject_cast<CDPostSelect*>(dialog);
        ASSERT_NE(select, nullptr);
        for (int row = 0; row < select->list()->rowCount(); ++row)
            offered << select->list()->cellText(row, 1);
        QTest::keyClick(select->list(), Qt::Key_Down);
        QTest::keyClick(select->list(), Qt::Key_Return);
    });
    typeCode("452-0961");
    pressButton();
    EXPECT_TRUE(dialogs.idle());
    EXPECT_EQ(offered, (QStringList{u("愛知県清須市春日振形"), u("愛知県清須市春日中沼")}));
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("愛知県清須市春日中沼"));

    // Esc leaves the address as it was.
    dialogs.answerNext([](QWidget* dialog) {
        QTest::keyClick(static_cast<CDPostSelect*>(dialog)->list(), Qt::Key_Escape);
    });
    edit(F::OwnerJyu1)->setText(u("元の住所"));
    typeCode("4520961");
    pressButton();
    EXPECT_TRUE(dialogs.idle());
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("元の住所"));
}

TEST_F(PostalPanelTest, UnknownCodesAndAddressesAreReported)
{
    edit(F::OwnerJyu1)->setText(u("元の住所"));
    typeCode("9999999");
    pressButton();
    EXPECT_EQ(folder.messages.messages(), QStringList{u("999-9999 の住所は見つかりません！")});
    EXPECT_EQ(edit(F::OwnerJyu1)->text(), u("元の住所"));

    folder.messages.clear();
    typeCode("");
    pressButton();
    EXPECT_EQ(folder.messages.messages(), QStringList{u("住所に合う郵便番号は見つかりません！")});
    EXPECT_TRUE(edit(F::Post)->text().isEmpty());

    folder.messages.clear();
    typeCode("12-34567");
    pressButton();
    EXPECT_EQ(folder.messages.messages().value(0), u("郵便番号が異常です！"));
}

} // namespace
