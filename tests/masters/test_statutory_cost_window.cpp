// The statutory cost tables' window: a row added and changed through the
// fields, the shop's area, and CSV files refused whole with a message.
#include "masters/CDSetStatutoryCosts.h"

#include "SettingsTestFolder.h"
#include "common/Cp932.h"
#include "controls/FileChooser.h"
#include "support/Utf8.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kv::masters::CDSetStatutoryCosts;
using kv::test::SettingsTestFolder;
using kv::test::u;

// Answers the file chooser with one file.
class GivenFile final : public kv::FileChooser {
public:
    explicit GivenFile(QString file) : m_file(std::move(file)) { kv::installFileChooser(this); }
    ~GivenFile() override { kv::installFileChooser(nullptr); }
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {m_file};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    QString m_file;
};

class CostWindow : public ::testing::Test {
protected:
    qint64 count() { return t.scalar("SELECT COUNT(*) FROM StatutoryCost"); }
    void click(QPushButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Imports the CSV text (after the heading) written in the encoding.
    void import(CDSetStatutoryCosts& window, const QString& lines, bool cp932 = false)
    {
        const QString text = u("表,適用開始日,地域,検査経路,区分,月数,重量上限,経年,エコ,年数,金額\n") + lines;
        ASSERT_TRUE(t.data.folder.write("rates.csv", cp932 ? kv::cp932::encode(text) : text.toUtf8()));
        GivenFile chooser(t.data.folder.file("rates.csv"));
        click(window.importButton());
    }
    QString lastMessage() { return t.messages().messages().value(t.messages().messages().size() - 1); }

    SettingsTestFolder t;
};

TEST_F(CostWindow, aRowTypedIsAddedChangedAndAnnounced)
{
    CDSetStatutoryCosts window(t.doc->store().mainConnection());
    SettingsTestFolder::showActive(window);
    const qint64 shipped = count();
    ASSERT_GT(shipped, 60);
    EXPECT_EQ(window.list()->rowCount(), shipped);

    window.tableCombo()->setCurrentIndex(0); // 自賠責
    window.classCombo()->setCurrentIndex(1); // 小型
    type(window.fromEdit(), "2026/04/01");
    type(window.monthsEdit(), "25");
    type(window.amountEdit(), "-100");
    click(window.addButton());
    EXPECT_EQ(lastMessage(), u("金額に負の値は入力できません！"));
    EXPECT_EQ(count(), shipped);

    type(window.amountEdit(), "19000");
    click(window.addButton());
    EXPECT_EQ(count(), shipped + 1);
    EXPECT_EQ(t.scalar("SELECT Amount FROM StatutoryCost WHERE FromDate = '2026-04-01'"), 19000);
    ASSERT_FALSE(t.announcer.texts().isEmpty());
    EXPECT_EQ(t.announcer.texts().last(), u("Update,諸費用"));

    // The same row again would overlap it.
    click(window.addButton());
    EXPECT_TRUE(lastMessage().contains(u("重複")));
    EXPECT_EQ(count(), shipped + 1);

    // Chosen in the list, then changed.
    int row = 0;
    while (row < window.list()->rowCount() && window.list()->rows()->index(row, 1).data().toString() != "2026/04/01")
        ++row;
    ASSERT_LT(row, window.list()->rowCount());
    window.list()->setCurrentIndex(window.list()->rows()->index(row, 0));
    EXPECT_EQ(window.amountEdit()->text(), "19000");
    type(window.amountEdit(), "19100");
    click(window.changeButton());
    EXPECT_EQ(t.scalar("SELECT Amount FROM StatutoryCost WHERE FromDate = '2026-04-01'"), 19100);
    EXPECT_EQ(count(), shipped + 1);

    // The shop's area, for every computer.
    window.areaCombo()->setFocus();
    QTest::keyClick(window.areaCombo(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(t.scalar("SELECT Area FROM StatutoryCostSettings"), 1);
}

TEST_F(CostWindow, aBadCsvIsRefusedWholeAndAGoodOneLandsWhole)
{
    CDSetStatutoryCosts window(t.doc->store().mainConnection());
    SettingsTestFolder::showActive(window);
    const qint64 shipped = count();

    struct Case {
        const char* lines;
        const char* message;
    };
    const Case refused[] = {
        // The first line is good; the second refuses the file.
        {"自賠責,2026-04-01,本土,,小型,25,,,,,19000\n自賠責,2026-04-01,本土,,大型,25,,,,,19000\n",
         "3行目: 区分「大型」は不明です！"},
        {"検査手数料,2026-04-01,,持込,軽,,,,,,2300\n検査手数料,2026-04-01,,持込,普通,,,,,,-2300\n",
         "3行目: 金額に負の値は入力できません！"},
        // Overlaps a shipped row.
        {"検査手数料,2026-04-01,,持込,軽,,,,,,2300\n検査手数料,2023-01-01,,持込,普通,,,,,,2400\n",
         "検査手数料 普通 2023/01/01 の期間が重複しています！"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.lines);
        import(window, QString::fromUtf8(c.lines));
        EXPECT_EQ(lastMessage(), QString::fromUtf8(c.message));
        EXPECT_EQ(count(), shipped);
    }
    EXPECT_EQ(t.announcer.texts(), QStringList());

    import(window, u("自賠責,2026/04/01,本土,,小型,25,,,,,19000\n検査手数料,2026/04/01,,持込,軽,,,,,,2300\n"),
           true);
    EXPECT_EQ(lastMessage(), u("2行を取り込みました"));
    EXPECT_EQ(count(), shipped + 2);
    EXPECT_EQ(window.list()->rowCount(), shipped + 2);
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,諸費用")});
}

} // namespace
