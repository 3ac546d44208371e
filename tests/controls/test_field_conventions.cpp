// The field-entry conventions: what happens as a field is entered and left.
#include "controls/MessageBoxGateway.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldChecks.h"
#include "support/ModalDialogHelper.h"
#include "support/RecordingMessageGateway.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using namespace kv;

const QString AmountMessage = QStringLiteral("0から9,999,999迄の整数を入力してくだい！");
const QString DaysMessage = QStringLiteral("0から31迄の整数を入力してくだい！");

IntegerField amountField()
{
    return {0, 9999999, AmountMessage, QStringLiteral("0"), IntegerStyle::Grouped, 0, false};
}

IntegerField closingDayField()
{
    return {0, 31, DaysMessage, QString(), IntegerStyle::Plain, 0, false};
}

bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

class FieldConventions : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        for (QWidget* w : {static_cast<QWidget*>(m_amount), static_cast<QWidget*>(m_day),
                           static_cast<QWidget*>(m_reading), static_cast<QWidget*>(m_name)})
            layout->addWidget(w);
        m_amount->setExitCheck(integerFieldCheck(amountField()));
        m_amount->setInputMode(CEditEx::InputMode::Direct);
        m_day->setExitCheck(integerFieldCheck(closingDayField()));
        m_reading->setInputMode(CEditEx::InputMode::HalfWidthKana);
        m_reading->setByteLimit(20);
        m_name->setInputMode(CEditEx::InputMode::Japanese);
        ASSERT_TRUE(showActive(m_window));
    }

    QWidget m_window;
    CEditEx* m_amount = new CEditEx(&m_window);
    CNumericEditEx* m_day = new CNumericEditEx(&m_window);
    CEditEx* m_reading = new CEditEx(&m_window);
    CEditEx* m_name = new CEditEx(&m_window);
};

TEST_F(FieldConventions, ValidValueIsRewrittenCanonicallyWhenLeft)
{
    test::RecordingMessageGateway messages;
    QSignalSpy left(m_amount, &CEditEx::left);
    m_amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_amount, QStringLiteral("1234567"));
    QTest::keyClick(m_amount, Qt::Key_Return);
    EXPECT_EQ(m_amount->text(), QStringLiteral("1,234,567"));
    EXPECT_TRUE(m_day->hasFocus());
    EXPECT_EQ(left.count(), 1);
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(FieldConventions, TabFromInvalidFieldReturnsStraightToItAfterOneMessage)
{
    test::RecordingMessageGateway messages;
    QSignalSpy dayEntered(m_day, &CEditEx::entered);
    QSignalSpy dayLeft(m_day, &CEditEx::left);
    // The next field holds an invalid value as well: it must neither be
    // entered nor checked on the way back.
    m_day->setText(QStringLiteral("99"));
    m_amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_amount, QStringLiteral("12a"));
    QTest::keyClick(m_amount, Qt::Key_Tab);

    EXPECT_EQ(messages.messages(), QStringList{AmountMessage});
    EXPECT_TRUE(m_amount->hasFocus());
    EXPECT_EQ(m_amount->text(), QStringLiteral("0"));
    EXPECT_EQ(m_amount->selectedText(), QStringLiteral("0"));
    EXPECT_EQ(dayEntered.count(), 0);
    EXPECT_EQ(dayLeft.count(), 0);
    EXPECT_EQ(m_day->text(), QStringLiteral("99"));
}

TEST_F(FieldConventions, PastedTextInNumericFieldIsJudgedWhenLeft)
{
    test::RecordingMessageGateway messages;
    m_day->setFocus(Qt::TabFocusReason);
    m_day->insert(QStringLiteral("3x"));
    QTest::keyClick(m_day, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(messages.messages(), QStringList{DaysMessage});
    EXPECT_TRUE(m_day->hasFocus());
    EXPECT_EQ(m_day->text(), QString());
}

TEST_F(FieldConventions, ClickIntoAnotherFieldIsAlsoLeaving)
{
    test::RecordingMessageGateway messages;
    m_amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_amount, QStringLiteral("99999999"));
    QTest::mouseClick(m_name, Qt::LeftButton);
    EXPECT_EQ(messages.messages(), QStringList{AmountMessage});
    EXPECT_TRUE(m_amount->hasFocus());
}

TEST_F(FieldConventions, RealMessageBoxGivesOneMessageAndFocusReturns)
{
    MessageBoxGateway boxes;
    installMessageGateway(&boxes);
    test::ModalDialogHelper dialogs;
    dialogs.clickNextMessageBox(QMessageBox::Ok);
    m_day->setText(QStringLiteral("40"));
    m_amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_amount, QStringLiteral("-5"));
    QTest::keyClick(m_amount, Qt::Key_Return);
    installMessageGateway(nullptr);

    EXPECT_EQ(dialogs.answered(), 1);
    EXPECT_EQ(dialogs.texts(), QStringList{AmountMessage});
    // The offscreen platform has no window manager to hand activation back
    // from the closed box; the window remembers where its focus belongs.
    EXPECT_EQ(m_window.focusWidget(), m_amount);
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    EXPECT_TRUE(m_amount->hasFocus());
    EXPECT_EQ(m_amount->text(), QStringLiteral("0"));
    EXPECT_EQ(m_day->text(), QStringLiteral("40"));
}

TEST_F(FieldConventions, CheckFieldReportsAsLeavingDoes)
{
    test::RecordingMessageGateway messages;
    m_name->setFocus(Qt::TabFocusReason);
    m_day->setText(QStringLiteral("32"));
    EXPECT_FALSE(m_day->checkField());
    EXPECT_TRUE(m_day->hasFocus());
    EXPECT_EQ(messages.messages(), QStringList{DaysMessage});
    m_day->setText(QStringLiteral("031"));
    EXPECT_TRUE(m_day->checkField());
    EXPECT_EQ(m_day->text(), QStringLiteral("31"));
}

TEST_F(FieldConventions, EnteringSelectsAllSoTypingReplaces)
{
    m_name->setText(QStringLiteral("山田太郎"));
    m_reading->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_reading, Qt::Key_Return);
    ASSERT_TRUE(m_name->hasFocus());
    EXPECT_EQ(m_name->selectedText(), QStringLiteral("山田太郎"));
    QTest::keyClicks(m_name, QStringLiteral("abc"));
    EXPECT_EQ(m_name->text(), QStringLiteral("abc"));
}

TEST_F(FieldConventions, VisitToAnotherWindowNeitherChecksNorReentersTheField)
{
    test::RecordingMessageGateway messages;
    QSignalSpy entered(m_amount, &CEditEx::entered);
    m_name->setFocus(Qt::TabFocusReason);
    m_amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_amount, QStringLiteral("12a"));
    QTest::keyClick(m_amount, Qt::Key_Left);

    QWidget other;
    ASSERT_TRUE(showActive(other));
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));

    EXPECT_TRUE(m_amount->hasFocus());
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_EQ(m_amount->text(), QStringLiteral("12a"));
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(m_amount->cursorPosition(), 2);
    EXPECT_FALSE(m_amount->hasSelectedText());
}

TEST_F(FieldConventions, EachFieldSwitchesTheInputMethodAsEntered)
{
    m_name->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(m_name->testAttribute(Qt::WA_InputMethodEnabled));
    m_amount->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(m_amount->testAttribute(Qt::WA_InputMethodEnabled));
    m_reading->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(m_reading->testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClick(m_reading, Qt::Key_Tab);
    // Leaving a reading closes the input method again.
    EXPECT_FALSE(m_reading->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(FieldConventions, ReadingIsStoredInHalfWidthKanaWhenLeft)
{
    m_reading->setFocus(Qt::TabFocusReason);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("やまだ　ジロウ"));
    QApplication::sendEvent(m_reading, &commit);
    EXPECT_EQ(m_reading->text(), QStringLiteral("やまだ　ジロウ"));
    QTest::keyClick(m_reading, Qt::Key_Return);
    EXPECT_EQ(m_reading->text(), QStringLiteral("ﾔﾏﾀﾞ ｼﾞﾛｳ"));
}

TEST_F(FieldConventions, ReadOnlyEditIsPaintedCream)
{
    const QColor normal = m_name->grab().toImage().pixelColor(m_name->rect().center());
    ASSERT_NE(normal, CEditEx::readOnlyBackground());
    m_name->setReadOnly(true);
    EXPECT_EQ(m_name->grab().toImage().pixelColor(m_name->rect().center()),
              CEditEx::readOnlyBackground());
    EXPECT_EQ(m_name->palette().color(QPalette::Text), QColor(Qt::black));
    m_name->setReadOnly(false);
    EXPECT_EQ(m_name->grab().toImage().pixelColor(m_name->rect().center()), normal);
}

TEST_F(FieldConventions, ReadOnlyFieldIsNotCheckedWhenLeft)
{
    test::RecordingMessageGateway messages;
    m_day->setText(QStringLiteral("77"));
    m_day->setReadOnly(true);
    m_day->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_day, Qt::Key_Tab);
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_TRUE(m_reading->hasFocus());
}

TEST(FieldInDialog, EscapeFromInvalidFieldClosesWithoutMessage)
{
    test::RecordingMessageGateway messages;
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* code = new CNumericEditEx(&dialog);
    auto* other = new CEditEx(&dialog);
    layout->addWidget(code);
    layout->addWidget(other);
    code->setExitCheck(integerFieldCheck(closingDayField()));
    dialog.open();
    ASSERT_TRUE(showActive(dialog));
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(code, QStringLiteral("45"));
    QTest::keyClick(code, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_TRUE(messages.messages().isEmpty());
}

} // namespace
