// The settings dialogs of the 設定 menu that write settings files: the
// shop's details, the default prefecture, the label settings and the fixed
// lists. Each writes exactly the bytes of its file's layout and announces
// the change; what is refused leaves the file and the other computers alone.
#include "masters/CDSetFixedList.h"
#include "masters/CDSetJisya.h"
#include "masters/CDSetPostDefault.h"
#include "masters/CDSetSeal.h"
#include "masters/FontChooser.h"
#include "masters/core/LabelSettings.h"

#include "SettingsTestFolder.h"
#include "controls/CEditEx.h"
#include "data/settings/ExpectedBytes.h"
#include "common/platform/SharedFile.h"
#include "data/settings/SettingsStore.h"
#include "support/ModalDialogHelper.h"
#include "support/Utf8.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace kv::masters;
using kv::data::SettingsFileId;
using kv::test::ExpectedBytes;
using kv::test::SettingsTestFolder;
using kv::test::u;

class ChosenFont final : public FontChooser {
public:
    std::optional<QFont> choose(const QFont& initial, QWidget*) override
    {
        offered = initial;
        return font;
    }
    std::optional<QFont> font;
    QFont offered;
};

class SettingsDialogs : public ::testing::Test {
protected:
    kv::data::SettingsStore& settings() { return t.doc->settings(); }
    // Label sheets of the table Seal ("001.mdb", the main file).
    void addSheets(const QByteArray& rows)
    {
        t.sql("INSERT INTO main.Seal (Maker, Hinban) VALUES " + rows);
    }
    QByteArray slice(const char* file, int offset, int size)
    {
        return t.file(file).mid(offset, size);
    }

    SettingsTestFolder t;
    ChosenFont fonts;
};

TEST_F(SettingsDialogs, ShopDetailsAreWrittenInTheFileLayoutAndAnnounced)
{
    // Another computer wrote the file since this one started.
    kv::data::SettingsStore other(t.data.folder.path());
    other.shop().telephone1 = QStringLiteral("03-1111-2222");
    other.shop().fontName = u("ＭＳ 明朝");
    other.shop().labourRate = 5000;
    ASSERT_TRUE(other.SaveSettingsFile(SettingsFileId::Shop));

    CDSetJisya dialog(settings(), fonts);
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), u("自社情報"));
    EXPECT_EQ(dialog.labourRateEdit()->text(), u("5,000"));
    EXPECT_EQ(dialog.fontEdit()->text(), u("ＭＳ 明朝"));
    // Nothing else fills the shop's first number, so the dialog must.
    EXPECT_EQ(dialog.telephoneEdit(0)->text(), QStringLiteral("03-1111-2222"));

    dialog.businessEdit()->setText(u("整備"));
    dialog.shopNameEdit()->setText(u("山田自動車"));
    dialog.addressEdit(0)->setText(u("東京都港区芝1-2"));
    SettingsTestFolder::typeOver(dialog.addressEdit(1), QStringLiteral("2F"));
    SettingsTestFolder::typeOver(dialog.telephoneEdit(0), QStringLiteral("03-5555-6666"));
    SettingsTestFolder::typeOver(dialog.telephoneEdit(1), QStringLiteral("03-3333-4444"));
    dialog.noticeEdit()->setPlainText(QStringLiteral("A\nB"));
    SettingsTestFolder::typeOver(dialog.labourRateEdit(), QStringLiteral("1234"));
    EXPECT_EQ(dialog.labourRateEdit()->text(), u("1,234"));
    SettingsTestFolder::typeOver(dialog.bodyWorkRateEdit(), QStringLiteral("1000000"));
    EXPECT_EQ(t.messages().messages(), QStringList{u("0から999,999迄の整数を入力してくだい！")});
    EXPECT_EQ(dialog.bodyWorkRateEdit()->text(), u("0"));
    EXPECT_TRUE(dialog.bodyWorkRateEdit()->hasFocus());

    fonts.font = QFont(QStringLiteral("IPAMincho"));
    QTest::mouseClick(dialog.fontButton(), Qt::LeftButton);
    EXPECT_EQ(fonts.offered.family(), u("ＭＳ 明朝"));
    EXPECT_EQ(fonts.offered.pixelSize(), 12);
    EXPECT_EQ(dialog.fontEdit()->text(), QStringLiteral("IPAMincho"));

    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QByteArray expected = ExpectedBytes(1024)
                                    .hex(0, "8e 52 93 63 8e a9 93 ae 8e d4")              // 山田自動車
                                    .hex(30, "93 8c 8b 9e 93 73 8d 60 8b e6 8e c5 31 2d 32") // 東京都港区芝1-2
                                    .hex(70, "32 46")                                      // 2F
                                    .hex(110, "30 33 2d 35 35 35 35 2d 36 36 36 36")
                                    .hex(126, "30 33 2d 33 33 33 33 2d 34 34 34 34")
                                    .hex(142, "90 ae 94 f5")                               // 整備
                                    .hex(182, "41 0d 0a 42")                               // A CR LF B
                                    .hex(682, "49 50 41 4d 69 6e 63 68 6f")                // IPAMincho
                                    .i32(940, 1234)
                                    .i32(944, 0)
                                    .bytes();
    EXPECT_EQ(t.file("004.dat").toHex(' '), expected.toHex(' '));
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,自社情報")});
}

TEST_F(SettingsDialogs, ShopDetailsThatDoNotFitAreRefusedWhole)
{
    const QByteArray before = t.file("004.dat");
    CDSetJisya dialog(settings(), fonts);
    SettingsTestFolder::showActive(dialog);
    // 250 full-width characters and one half-width: 501 bytes for 500.
    dialog.noticeEdit()->setPlainText(QString(250, QChar(0x3042)) + QLatin1Char('x'));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    ASSERT_EQ(t.messages().messages().size(), 1);
    EXPECT_TRUE(t.messages().messages().first().startsWith(u("伝票案内は500バイト")));
    EXPECT_EQ(t.file("004.dat"), before);
    EXPECT_TRUE(t.announcer.texts().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings().shop().slipNotice, QString());
}

TEST_F(SettingsDialogs, RegistrationNumberIsCheckedOnLeavingAndKeptInItsOwnFile)
{
    const QByteArray shopBefore = t.file("004.dat");
    CDSetJisya dialog(settings(), fonts);
    SettingsTestFolder::showActive(dialog);
    kv::CEditEx* field = dialog.registrationEdit();
    EXPECT_EQ(field->text(), QString());

    SettingsTestFolder::typeOver(field, QStringLiteral("T123"));
    EXPECT_EQ(t.messages().messages(), QStringList{u("登録番号はＴと13桁の数字で入力して下さい！")});
    EXPECT_EQ(field->text(), QString());
    EXPECT_TRUE(field->hasFocus());

    // A failed check digit is questioned: No puts the field back, Yes keeps it
    // and it is not questioned again.
    t.messages().answerNext(false);
    SettingsTestFolder::typeOver(field, QStringLiteral("T8000012050002"));
    EXPECT_EQ(t.messages().questions().size(), 1);
    EXPECT_EQ(field->text(), QString());
    t.messages().answerNext(true);
    SettingsTestFolder::typeOver(field, QStringLiteral("t8000012050002"));
    EXPECT_EQ(field->text(), QStringLiteral("T8000012050002"));
    SettingsTestFolder::typeOver(field, QStringLiteral("T7000012050002"));
    EXPECT_EQ(t.messages().questions().size(), 2);

    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(t.file("InvoiceIssuer.txt"), QByteArray("RegistrationNumber=T7000012050002\n"));
    // The fixed layout of the shop's file has no place for it.
    EXPECT_EQ(t.file("004.dat").size(), shopBefore.size());
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,自社情報")});

    kv::data::SettingsStore other(t.data.folder.path());
    EXPECT_FALSE(other.invoiceIssuer().isIssuer());
    other.reloadForUpdate(u("自社情報"));
    EXPECT_EQ(other.invoiceIssuer().registrationNumber, QStringLiteral("T7000012050002"));
}

TEST_F(SettingsDialogs, DefaultPrefectureIsStoredAtOffset12)
{
    CDSetPostDefault dialog(settings());
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.prefectureCombo()->currentIndex(), 0); // none
    dialog.prefectureCombo()->setFocus();
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(dialog.prefectureCombo(), Qt::Key_Down);
    EXPECT_EQ(dialog.prefectureCombo()->currentText(), u("東京都"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(slice("001.dat", 12, 4), ExpectedBytes(4).i32(0, 12).bytes());
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,郵便番号検索 標準都道府県")});

    CDSetPostDefault again(settings());
    EXPECT_EQ(again.prefectureCombo()->currentText(), u("東京都"));
    again.prefectureCombo()->setCurrentIndex(0);
    QTest::mouseClick(again.okButton(), Qt::LeftButton);
    EXPECT_EQ(slice("001.dat", 12, 4), QByteArray("\xff\xff\xff\xff", 4));
}

TEST_F(SettingsDialogs, LabelOffsetsAreCutToTenthsAndWrittenWithTheSheet)
{
    addSheets("('Ａ－ｏｎｅ', '28382'), ('Ａ－ｏｎｅ', '28180'), ('ﾋｻｺﾞ', 'CJ2302')");
    CDSetSeal dialog(*t.doc, fonts);
    SettingsTestFolder::showActive(dialog);
    EXPECT_EQ(dialog.makerCombo()->count(), 2);
    EXPECT_EQ(dialog.makerCombo()->currentText(), u("Ａ－ｏｎｅ"));
    EXPECT_EQ(dialog.productCombo()->currentText(), QStringLiteral("28382"));
    EXPECT_EQ(dialog.productCombo()->count(), 2);
    EXPECT_EQ(dialog.fontEdit()->text(), u("ＭＳ Ｐゴシック   9"));

    SettingsTestFolder::typeOver(dialog.horizontalEdit(), QStringLiteral("12.37"));
    EXPECT_EQ(dialog.horizontalEdit()->text(), QStringLiteral("12.3"));
    SettingsTestFolder::typeOver(dialog.verticalEdit(), QStringLiteral("-0.5"));
    SettingsTestFolder::typeOver(dialog.verticalEdit(), QStringLiteral("-100"));
    EXPECT_EQ(t.messages().messages(), QStringList{u("-99.9から99.9迄を入力して下さい！")});
    EXPECT_EQ(dialog.verticalEdit()->text(), QStringLiteral("-0.5"));

    dialog.makerCombo()->setCurrentText(u("ﾋｻｺﾞ"));
    EXPECT_EQ(dialog.productCombo()->count(), 1);
    fonts.font = QFont(QStringLiteral("IPAGothic"), 11, QFont::Bold);
    QTest::mouseClick(dialog.fontButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.fontEdit()->text(), u("IPAGothic ﾎﾞｰﾙﾄﾞ11"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    EXPECT_EQ(slice("003.dat", 44, 8), ExpectedBytes(8).i32(0, 123).i32(4, -5).bytes());
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,印字")});
    const LabelProfile profile = LabelProfile::read();
    EXPECT_EQ(profile.maker, u("ﾋｻｺﾞ"));
    EXPECT_EQ(profile.productNumber, QStringLiteral("CJ2302"));
    EXPECT_EQ(profile.font.faceName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(profile.font.pointSize, 11);
    EXPECT_EQ(profile.font.weight, 700);
}

TEST_F(SettingsDialogs, LabelSheetGoneFromTheTableWritesNothing)
{
    addSheets("('Ａ－ｏｎｅ', '28382')");
    CDSetSeal dialog(*t.doc, fonts);
    SettingsTestFolder::showActive(dialog);
    const QByteArray before = t.file("003.dat");
    SettingsTestFolder::typeOver(dialog.horizontalEdit(), QStringLiteral("5"));
    // Another computer's table lost the sheet while the dialog was open.
    t.sql("UPDATE main.Seal SET Hinban = '99999'");
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(t.messages().messages(), QStringList{u("データが異常です２！")});
    t.sql("DELETE FROM main.Seal");
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(t.messages().messages().value(1), u("データが異常です１！"));
    EXPECT_EQ(t.file("003.dat"), before);
    EXPECT_TRUE(t.announcer.texts().isEmpty());
    EXPECT_EQ(LabelProfile::read().maker, u("Ａ－ｏｎｅ"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDialogs, FixedListsOfferTheirSlotsAndWriteTheChosenOne)
{
    struct Case {
        std::function<std::unique_ptr<CDSetFixedList>()> make;
        const char* file;
        int rows;
        int firstSlot;
        int recordSize;
    };
    kv::data::SettingsStore& s = settings();
    const Case cases[] = {
        {[&s] { return std::make_unique<CDSetRikuji>(s); }, "006.dat", 20, 0, 8},
        {[&s] { return std::make_unique<CDSetSyamei>(s); }, "013.dat", 60, 1, 32},
        {[&s] { return std::make_unique<CDSetSyubetu>(s); }, "010.dat", 29, 2, 16},
        {[&s] { return std::make_unique<CDSetYouto>(s); }, "011.dat", 30, 1, 16},
        {[&s] { return std::make_unique<CDSetNenryo>(s); }, "014.dat", 20, 1, 16},
        {[&s] { return std::make_unique<CDSetKeijyo>(s); }, "012.dat", 60, 1, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        t.announcer.clear();
        std::unique_ptr<CDSetFixedList> dialog = c.make();
        SettingsTestFolder::showActive(*dialog);
        ASSERT_EQ(dialog->list()->rowCount(), c.rows);
        EXPECT_EQ(dialog->slotOfRow(0), c.firstSlot);
        const QByteArray before = t.file(c.file);

        // The third row's slot gets "Mazda"; the rest of the file stays.
        SettingsTestFolder::clickRow(dialog->list(), 2);
        const int slot = c.firstSlot + 2;
        SettingsTestFolder::typeOver(dialog->textEdit(), QStringLiteral("Mazda"));
        QTest::mouseClick(dialog->recordButton(), Qt::LeftButton);
        QByteArray expected = before;
        expected.replace(slot * c.recordSize, c.recordSize,
                         QByteArray("Mazda").leftJustified(c.recordSize, '\0'));
        EXPECT_EQ(t.file(c.file).toHex(' '), expected.toHex(' '));
        EXPECT_EQ(t.announcer.texts(),
                  QStringList{u("Update,%1,%2").arg(QString::fromUtf8(dialog->kind().announceKind)).arg(slot)});
        EXPECT_EQ(dialog->list()->cellText(2, dialog->kind().numbered ? 1 : 0), QStringLiteral("Mazda"));

        // An empty text empties the slot.
        SettingsTestFolder::typeOver(dialog->textEdit(), QString());
        QTest::mouseClick(dialog->recordButton(), Qt::LeftButton);
        expected.replace(slot * c.recordSize, c.recordSize, QByteArray(c.recordSize, '\0'));
        EXPECT_EQ(t.file(c.file), expected);
        EXPECT_TRUE(t.messages().messages().isEmpty());
    }
}

TEST_F(SettingsDialogs, FixedListSlotsKeepTheirTextWhenTheFileRefuses)
{
    FixedListEditor editor(settings(), FixedListKind::transportOffices());
    ASSERT_TRUE(editor.load());
    ASSERT_TRUE(editor.store(3, u("品川")));
    const QByteArray before = t.file("006.dat");
    // Five full-width characters are ten bytes for eight.
    EXPECT_FALSE(editor.store(3, u("足立品川練")));
    EXPECT_FALSE(editor.store(20, u("品川")));
    EXPECT_EQ(t.messages().messages().value(1), u("m_nItem 異常"));
    EXPECT_EQ(editor.slotText(3), u("品川"));
    EXPECT_EQ(t.file("006.dat"), before);
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,陸事,3")});
    // Four full-width characters fill the slot to its last byte.
    EXPECT_TRUE(editor.store(3, u("足立品川")));
    EXPECT_EQ(t.file("006.dat").mid(24, 8), QByteArray::fromHex("91ab97a7956990ec"));
}

TEST_F(SettingsDialogs, FixedListHeldByAnotherComputerIsGivenUpOn)
{
    // A minute shortened to a few milliseconds.
    settings().setRetryClock(kv::RetryClock::system(), kv::RetryTiming{1, 30});
    CDSetSyubetu dialog(settings());
    SettingsTestFolder::showActive(dialog);
    const QString before = dialog.list()->cellText(0, 1);
    const QByteArray file = t.file("010.dat");
    kv::SharedFile reader;
    ASSERT_TRUE(reader.open(settings().pathOf(SettingsFileId::VehicleClasses),
                            kv::FileMode::Read | kv::FileMode::ShareDenyWrite));
    SettingsTestFolder::typeOver(dialog.textEdit(), QStringLiteral("Bus"));
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.list()->cellText(0, 1), before);
    EXPECT_EQ(settings().vehicleClasses().entry(2), before);
    EXPECT_TRUE(t.announcer.texts().isEmpty());
    reader.close();
    EXPECT_EQ(t.file("010.dat"), file);

    // Once it is free the same slot is written.
    QTest::mouseClick(dialog.recordButton(), Qt::LeftButton);
    EXPECT_EQ(t.file("010.dat").mid(32, 16), QByteArray("Bus").leftJustified(16, '\0'));
    EXPECT_EQ(t.announcer.texts(), QStringList{u("Update,種別,2")});
}

} // namespace
