// The job categories (入庫区分): at most 20, names within their 14 bytes,
// and a category that slips or ledger rows use is neither changed nor
// deleted; through the dialog with the mouse and keys.
#include "masters/CDSetNyuukoKbn.h"
#include "masters/core/JobCategories.h"

#include "SettingsTestFolder.h"
#include "controls/CEditEx.h"
#include "support/Utf8.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace kv::masters;
using kv::test::SettingsTestFolder;
using kv::test::u;

class JobCategoriesTest : public ::testing::Test {
protected:
    // The ten categories a new data folder starts with, codes 1 to 10.
    void SetUp() override
    {
        t.sql("INSERT INTO f004.NyuukoKbn (NyuukoKbn, NyuukoKind) VALUES ('車検', 1), "
              "('６ヶ月点検', 2), ('１２ヶ月点検', 3), ('一般整備', 4), ('鈑金塗装', 5), "
              "('部品販売', 6), ('保険', 7), ('車輌販売', 8), ('その他', 98), ('入金', 99)");
        ASSERT_TRUE(t.doc->jobCategories().Requery());
    }
    qint64 count() { return t.scalar("SELECT COUNT(*) FROM f004.NyuukoKbn"); }
    qint64 kindOf(const char* name)
    {
        return t.scalar(QByteArray("SELECT NyuukoKind FROM f004.NyuukoKbn WHERE NyuukoKbn = '")
                        + name + "'");
    }
    void record(CDSetNyuukoKbn& dialog, const QString& name, int kindPosition)
    {
        dialog.nameEdit()->setText(name);
        dialog.kindCombo()->setFocus();
        dialog.kindCombo()->setCurrentIndex(0);
        for (int i = 0; i < kindPosition; ++i)
            QTest::keyClick(dialog.kindCombo(), Qt::Key_Down);
        QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
        QApplication::processEvents();
    }

    SettingsTestFolder t;
};

TEST_F(JobCategoriesTest, KindsAndNamesFollowTheirRules)
{
    EXPECT_EQ(JobCategoryRules::kindText(1), u("６ヶ月点検（貨物）"));
    EXPECT_EQ(JobCategoryRules::kindCode(8), 98);
    EXPECT_EQ(JobCategoryRules::kindCode(9), 99);
    EXPECT_EQ(JobCategoryRules::positionOfKind(99), 9);
    EXPECT_EQ(JobCategoryRules::positionOfKind(50), 0);
    EXPECT_EQ(JobCategoryRules::countLabel(7), u(" 7/20件"));

    JobCategoryStore store(*t.doc);
    // Fourteen bytes whatever their width: seven full-width characters, or
    // six and two half-width ones.
    JobCategoryStore::Outcome wide = store.add(u("１２ヶ月点検ＡＢ"), 2);
    EXPECT_FALSE(wide.done);
    EXPECT_EQ(wide.message, u("入庫区分は14バイト（全角7文字）以内で入力して下さい！"));
    EXPECT_TRUE(store.add(u("１２ヶ月点検AB"), 2).done);
    EXPECT_FALSE(store.add(u("点検\u2603"), 2).done);
    EXPECT_EQ(store.add(QString(), 2).message, u("入庫区分を入力して下さい！"));
    EXPECT_EQ(count(), 11);
    EXPECT_EQ(kindOf("１２ヶ月点検AB"), 3);
}

TEST_F(JobCategoriesTest, TheTwentyFirstCategoryIsRefused)
{
    CDSetNyuukoKbn dialog(*t.doc);
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), u("入庫区分"));
    ASSERT_EQ(dialog.list()->rowCount(), 10);
    EXPECT_EQ(dialog.countLabel()->text(), u("10/20件"));

    record(dialog, u("洗車"), 3);
    EXPECT_TRUE(t.messages().messages().isEmpty()) << t.messages().messages().join('|').toStdString();
    EXPECT_EQ(kindOf("洗車"), 4);
    ASSERT_EQ(dialog.list()->rowCount(), 11);
    EXPECT_EQ(dialog.list()->cellText(10, 0), u("洗車"));
    EXPECT_EQ(dialog.list()->cellText(10, 1), u("一般整備"));
    EXPECT_EQ(dialog.countLabel()->text(), u("11/20件"));
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,入庫区分")});
    EXPECT_TRUE(dialog.nameEdit()->text().isEmpty());

    for (int i = 0; i < 9; ++i)
        record(dialog, QStringLiteral("X%1").arg(i), 9);
    EXPECT_EQ(count(), 20);
    EXPECT_EQ(kindOf("X8"), 99);
    record(dialog, u("21番目"), 0);
    EXPECT_EQ(t.messages().messages(),
              QStringList{u("データが 20 件(最大)存在します！\nこれ以上追加することはできません")});
    EXPECT_EQ(count(), 20);
    EXPECT_TRUE(dialog.clearButton()->hasFocus());
    EXPECT_EQ(t.announcer.texts().size(), 10);
}

TEST_F(JobCategoriesTest, CategoriesInUseAreNeitherChangedNorDeleted)
{
    // Code 1 is on a slip, code 2 on a ledger row, code 3 on neither.
    t.sql("INSERT INTO f003.Syahead (DenNo, CarCode, NyuukoKbnCode) VALUES (1, 1, 1)");
    t.sql("INSERT INTO f013.ToriJnl (KokCode, NyuukoKbnCode) VALUES (1, 2)");
    CDSetNyuukoKbn dialog(*t.doc);
    SettingsTestFolder::showActive(dialog);

    SettingsTestFolder::clickRow(dialog.list(), 0);
    EXPECT_EQ(dialog.modifiedCode(), 1);
    EXPECT_EQ(dialog.nameEdit()->text(), u("車検"));
    dialog.nameEdit()->setText(u("車検整備"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    SettingsTestFolder::clickRow(dialog.list(), 1);
    dialog.nameEdit()->setText(u("点検"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(t.messages().messages(),
              (QStringList{u("指定された入庫区分の車歴が存在するので修正できません！"),
                           u("指定された入庫区分の売上が存在するので修正できません！")}));
    EXPECT_EQ(kindOf("車検"), 1);
    EXPECT_EQ(kindOf("６ヶ月点検"), 2);
    EXPECT_EQ(dialog.modifiedCode(), 0);
    EXPECT_TRUE(dialog.nameEdit()->text().isEmpty());

    t.messages().clear();
    t.messages().answerNext(true);
    SettingsTestFolder::rightClickRow(dialog.list(), 0);
    t.messages().answerNext(true);
    SettingsTestFolder::rightClickRow(dialog.list(), 1);
    EXPECT_EQ(t.messages().questions(),
              (QStringList{u("削除します！\n本当によろしいですね？"), u("削除します！\n本当によろしいですね？")}));
    EXPECT_EQ(t.messages().messages(),
              (QStringList{u("指定された入庫区分の車歴が存在するので削除できません！"),
                           u("指定された入庫区分の取引明細が存在するので削除できません！")}));
    EXPECT_EQ(count(), 10);
    EXPECT_EQ(dialog.list()->rowCount(), 10);
    EXPECT_TRUE(t.announcer.texts().isEmpty());

    // The unused one changes, then goes once the question is answered Yes.
    t.messages().clear();
    SettingsTestFolder::clickRow(dialog.list(), 2);
    dialog.nameEdit()->setText(u("法定点検"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(kindOf("法定点検"), 3);
    EXPECT_EQ(dialog.list()->cellText(2, 0), u("法定点検"));
    t.messages().answerNext(false);
    SettingsTestFolder::rightClickRow(dialog.list(), 2);
    EXPECT_EQ(count(), 10);
    t.messages().answerNext(true);
    SettingsTestFolder::rightClickRow(dialog.list(), 2);
    EXPECT_EQ(count(), 9);
    EXPECT_EQ(kindOf("法定点検"), -1);
    EXPECT_EQ(dialog.list()->rowCount(), 9);
    EXPECT_EQ(dialog.countLabel()->text(), u(" 9/20件"));
    EXPECT_EQ(t.announcer.texts(), (QStringList{u("Update,入庫区分"), u("Update,入庫区分")}));
    EXPECT_TRUE(t.messages().messages().isEmpty());
}

} // namespace
