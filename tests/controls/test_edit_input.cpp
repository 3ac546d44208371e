// What the edits take from the keyboard, the clipboard and the input method:
// digits only where typed into a numeric edit, CP932 bytes within the
// field's limit, no character CP932 cannot hold.
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using namespace kv;

// Typing by a keyboard layout that produces the text directly, as a
// Japanese or accented key would; QTest::keyClicks only types Latin-1.
void typeText(QWidget* widget, const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
    }
}

void commitFromInputMethod(QWidget* widget, const QString& text)
{
    QInputMethodEvent composing(text, {});
    QApplication::sendEvent(widget, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(widget, &commit);
}

void paste(QWidget* widget, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

class EditInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_numeric);
        layout->addWidget(m_edit);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QWidget m_window;
    CNumericEditEx* m_numeric = new CNumericEditEx(&m_window);
    CEditEx* m_edit = new CEditEx(&m_window);
};

struct TypedCase {
    const char* keys;
    const char* text;
};

class NumericTyping : public EditInput, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(NumericTyping, TakesDigitsMinusAndBackspaceOnly)
{
    m_numeric->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_numeric, QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(m_numeric->text(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Keys, NumericTyping,
                         ::testing::Values(TypedCase{"123", "123"}, TypedCase{"1a2", "12"},
                                           TypedCase{"1.5", "15"}, TypedCase{"12/3/4", "1234"},
                                           TypedCase{"-7", "-7"}, TypedCase{"12\b3", "13"},
                                           TypedCase{" +e,", ""}));

TEST_F(EditInput, NumericEditLeavesPastedTextToTheFieldCheck)
{
    m_numeric->setFocus(Qt::TabFocusReason);
    paste(m_numeric, QStringLiteral("12ab"));
    EXPECT_EQ(m_numeric->text(), QStringLiteral("12ab"));
    m_numeric->setText(QStringLiteral("x9"));
    EXPECT_EQ(m_numeric->text(), QStringLiteral("x9"));
}

TEST_F(EditInput, NumericEditDropsFullWidthDigitsFromTheInputMethod)
{
    m_numeric->setFocus(Qt::TabFocusReason);
    commitFromInputMethod(m_numeric, QStringLiteral("１２3"));
    EXPECT_EQ(m_numeric->text(), QStringLiteral("3"));
}

TEST_F(EditInput, EditingKeysStillWorkInNumericEdit)
{
    m_numeric->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_numeric, QStringLiteral("1234"));
    QTest::keyClick(m_numeric, Qt::Key_Left);
    QTest::keyClick(m_numeric, Qt::Key_Delete);
    QTest::keyClick(m_numeric, Qt::Key_Home);
    QTest::keyClick(m_numeric, Qt::Key_Minus);
    EXPECT_EQ(m_numeric->text(), QStringLiteral("-123"));
}

TEST_F(EditInput, LimitCountsCp932Bytes)
{
    // 20 bytes hold 20 letters or half-width kana, or 10 kanji.
    m_edit->setByteLimit(20);
    m_edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_edit, QString(21, u'a'));
    EXPECT_EQ(m_edit->text(), QString(20, u'a'));

    m_edit->clear();
    typeText(m_edit, QString(21, u'ｱ'));
    EXPECT_EQ(m_edit->text(), QString(20, u'ｱ'));

    m_edit->clear();
    typeText(m_edit, QString(11, u'整'));
    EXPECT_EQ(m_edit->text(), QString(10, u'整'));

    // One byte left is no room for a kanji, but for a half-width kana.
    m_edit->setText(QString(19, u'a'));
    m_edit->end(false);
    typeText(m_edit, QStringLiteral("整"));
    EXPECT_EQ(m_edit->text(), QString(19, u'a'));
    typeText(m_edit, QStringLiteral("ｶ"));
    EXPECT_EQ(m_edit->text(), QString(19, u'a') + u'ｶ');
}

TEST_F(EditInput, InputMethodCommitIsCutToTheLimitWithoutSplittingKanji)
{
    m_edit->setByteLimit(7);
    m_edit->setFocus(Qt::TabFocusReason);
    commitFromInputMethod(m_edit, QStringLiteral("自動車整備"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("自動車"));
    commitFromInputMethod(m_edit, QStringLiteral("ｱｲ"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("自動車ｱ"));
}

TEST_F(EditInput, SelectedTextMakesRoomForWhatReplacesIt)
{
    m_edit->setByteLimit(4);
    m_edit->setFocus(Qt::TabFocusReason);
    m_edit->setText(QStringLiteral("山田"));
    m_edit->selectAll();
    commitFromInputMethod(m_edit, QStringLiteral("佐藤"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("佐藤"));
    m_edit->selectAll();
    paste(m_edit, QStringLiteral("ｻﾄｳ"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("ｻﾄｳ"));
}

TEST_F(EditInput, PasteIsCutToTheLimitAndToItsFirstLine)
{
    m_edit->setByteLimit(10);
    m_edit->setFocus(Qt::TabFocusReason);
    paste(m_edit, QStringLiteral("東京都千代田区"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("東京都千代"));

    m_edit->clear();
    paste(m_edit, QStringLiteral("ab\ncd"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("ab"));
}

TEST_F(EditInput, ReadingFieldCountsTheBytesOfItsHalfWidthForm)
{
    // 11 hiragana take 22 bytes as typed but 11 as the reading is stored.
    m_edit->setInputMode(CEditEx::InputMode::HalfWidthKana);
    m_edit->setByteLimit(20);
    m_edit->setFocus(Qt::TabFocusReason);
    commitFromInputMethod(m_edit, QStringLiteral("やまだたろうすずきはなこ"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("やまだたろうすずきはなこ"));
    m_edit->clear();
    // Voiced kana take two half-width characters.
    m_edit->setByteLimit(5);
    commitFromInputMethod(m_edit, QStringLiteral("がぎぐ"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("がぎ"));
    typeText(m_edit, QStringLiteral("ア"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("がぎア"));
    typeText(m_edit, QStringLiteral("ｱ"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("がぎア"));
}

struct RefusedCase {
    const char* name;
    QString text;
};

class UnrepresentableText : public EditInput,
                            public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(UnrepresentableText, IsRefusedWhenTypedPastedOrCommitted)
{
    const QString text = GetParam().text;
    m_edit->setFocus(Qt::TabFocusReason);
    m_edit->setText(QStringLiteral("鈴木"));
    m_edit->end(false);

    typeText(m_edit, text);
    EXPECT_EQ(m_edit->text(), QStringLiteral("鈴木")) << "typed";
    paste(m_edit, QStringLiteral("一郎") + text);
    EXPECT_EQ(m_edit->text(), QStringLiteral("鈴木")) << "pasted";
    commitFromInputMethod(m_edit, QStringLiteral("一郎") + text);
    EXPECT_EQ(m_edit->text(), QStringLiteral("鈴木")) << "committed";
    commitFromInputMethod(m_edit, QStringLiteral("一郎"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("鈴木一郎"));
}

INSTANTIATE_TEST_SUITE_P(
    Characters, UnrepresentableText,
    ::testing::Values(RefusedCase{"accent", QStringLiteral("é")},
                      RefusedCase{"hangul", QStringLiteral("한")},
                      RefusedCase{"outside_bmp", QString::fromUcs4(U"\U00020BB7")},
                      RefusedCase{"emoji", QString::fromUcs4(U"\U0001F697")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditInput, TextTheProgramSetsIsNotCut)
{
    m_edit->setByteLimit(4);
    m_edit->setText(QStringLiteral("自動車整備"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("自動車整備"));
}

} // namespace
