// The typing-aid tables (addresses, customer names, models per make):
// their limits, required fields, kana index and announcements, through the
// dialogs with the mouse and keys.
#include "masters/CDSetReferenceList.h"
#include "masters/KanaButtonBar.h"

#include "SettingsTestFolder.h"
#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "support/Utf8.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace kv::masters;
using kv::test::SettingsTestFolder;
using kv::test::u;

class ReferenceListsTest : public ::testing::Test {
protected:
    qint64 rows(const char* table, const QByteArray& where = "1")
    {
        sqlite3_stmt* statement = nullptr;
        qint64 value = -1;
        const QByteArray query = QByteArray("SELECT COUNT(*) FROM ") + table + " WHERE " + where;
        if (sqlite3_prepare_v2(t.doc->store().pickListConnection().handle(), query.constData(), -1,
                               &statement, nullptr)
                == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    }
    void fill(const char* insert, int count)
    {
        t.pickListSql(QByteArray("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                 "WHERE i < ")
                      + QByteArray::number(count) + ") " + insert);
    }
    static void recordRow(CDSetReferenceList& dialog, const QString& text, const QString& reading)
    {
        dialog.textEdit()->setText(text);
        if (dialog.readingEdit())
            dialog.readingEdit()->setText(reading);
        QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
        QApplication::processEvents();
    }
    QString full(int maximum)
    {
        return u("データが %1 件(最大)存在します！\nこれ以上追加することはできません").arg(maximum);
    }

    SettingsTestFolder t;
};

TEST_F(ReferenceListsTest, AddressesNeedTheirReadingAndStopAt500)
{
    CDSetJyu dialog(*t.doc);
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), u("住所"));
    EXPECT_EQ(dialog.countLabel()->text(), u("  0/500件"));

    recordRow(dialog, u("東京都港区"), QString());
    EXPECT_EQ(t.messages().messages(), QStringList{u("ﾌﾘｶﾞﾅを入力して下さい！")});
    EXPECT_TRUE(dialog.readingEdit()->hasFocus());
    recordRow(dialog, u("東京都港区"), u("ﾄ"));
    recordRow(dialog, u("大阪府"), u("ｵ"));
    EXPECT_EQ(rows("f007.Jyu"), 2);
    // Kept in the table's order, by reading.
    EXPECT_EQ(dialog.list()->cellText(0, 0), u("大阪府"));
    EXPECT_EQ(dialog.countLabel()->text(), u("  2/500件"));
    EXPECT_EQ(t.announcer.texts(), (QStringList{u("Update,住所"), u("Update,住所")}));

    fill("INSERT INTO f007.Jyu (Jyu, Furi) SELECT 'J' || i, 'ｱ' FROM n", 498);
    t.messages().clear();
    recordRow(dialog, u("京都府"), u("ｷ"));
    EXPECT_EQ(t.messages().messages(), QStringList{full(500)});
    EXPECT_EQ(rows("f007.Jyu"), 500);
    EXPECT_TRUE(dialog.clearButton()->hasFocus());
}

TEST_F(ReferenceListsTest, NamesAreChangedAndDeletedByRowAndFoundByKana)
{
    t.pickListSql("INSERT INTO f008.KokName (KokName, KokFuri) VALUES ('佐藤', 'ｻﾄｳ'), "
                  "('青木', 'ｱｵｷ'), ('加藤', 'ｶﾄｳ'), ('渡辺', 'ﾜﾀﾅﾍﾞ')");
    CDSetKokName dialog(*t.doc);
    SettingsTestFolder::showActive(dialog);
    ASSERT_EQ(dialog.list()->rowCount(), 4);

    // A name may do without its reading.
    recordRow(dialog, u("山田"), QString());
    EXPECT_TRUE(t.messages().messages().isEmpty());
    EXPECT_EQ(rows("f008.KokName", "KokName = '山田' AND KokFuri = ''"), 1);
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,名前")});

    // ｶ: the first reading from ｶ on, which becomes the one modified.
    QTest::mouseClick(dialog.kanaButtons()->button(1), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(dialog.list()->currentRow(), 2);
    EXPECT_EQ(dialog.textEdit()->text(), u("加藤"));
    dialog.textEdit()->setText(u("加藤商会"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(rows("f008.KokName", "KokName = '加藤商会' AND KokFuri = 'ｶﾄｳ'"), 1);
    EXPECT_EQ(rows("f008.KokName"), 5);

    t.messages().answerNext(true);
    SettingsTestFolder::rightClickRow(dialog.list(), 0);
    EXPECT_EQ(t.messages().questions(), QStringList{u("削除します！\n本当によろしいですね？")});
    EXPECT_EQ(rows("f008.KokName"), 4);
    EXPECT_EQ(rows("f008.KokName", "KokName = '山田'"), 0);
    EXPECT_EQ(dialog.list()->rowCount(), 4);
    EXPECT_EQ(dialog.countLabel()->text(), u("  4/500件"));
    EXPECT_EQ(t.announcer.texts().size(), 3);

    // Twenty bytes for a name: ten full-width characters, not eleven.
    ReferenceListStore store(*t.doc, ReferenceTable::CustomerNames);
    EXPECT_TRUE(store.record({0, u("株式会社サンプル商店"), {}}).done);
    const ReferenceListStore::Outcome wide = store.record({0, u("株式会社サンプル商店x"), {}});
    EXPECT_FALSE(wide.done);
    EXPECT_EQ(wide.message, u("名前は20バイト（全角10文字）以内で入力して下さい！"));
}

TEST_F(ReferenceListsTest, ModelsAreCountedPerMake)
{
    fill("INSERT INTO main.Syasyu (SyameiNo, Syasyu) SELECT 1, 'M' || i FROM n", 999);
    fill("INSERT INTO main.Syasyu (SyameiNo, Syasyu) SELECT 2, 'ﾌｨｯﾄ' FROM n", 1);
    kv::data::SettingsList& makes = t.doc->settings().makes();
    CDSetSyasyu dialog(*t.doc, makes);
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.readingEdit(), nullptr);
    ASSERT_EQ(dialog.makeCombo()->count(), makes.count() - 1);
    EXPECT_EQ(dialog.list()->rowCount(), 999);
    EXPECT_EQ(dialog.countLabel()->text(), u("999/999件"));

    recordRow(dialog, u("カローラ"), {});
    EXPECT_EQ(t.messages().messages(), QStringList{full(999)});

    dialog.makeCombo()->setFocus();
    QTest::keyClick(dialog.makeCombo(), Qt::Key_Down);
    EXPECT_EQ(dialog.list()->rowCount(), 1);
    recordRow(dialog, u("フリード"), {});
    EXPECT_EQ(rows("main.Syasyu", "SyameiNo = 2"), 2);
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,車種")});

    dialog.reject();
    // The shared recordset is back to every make in its order.
    EXPECT_TRUE(t.doc->models().GetFilter().isEmpty());
    EXPECT_EQ(t.doc->models().GetSort(), QStringLiteral("SyameiNo, Syasyu, ID"));
    EXPECT_EQ(t.doc->models().GetRecordCount(), 1001);
}

} // namespace
