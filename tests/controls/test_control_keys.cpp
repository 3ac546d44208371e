// The keyboard rules of the input controls, through real key events on
// shown windows.
#include "controls/CButtonEx.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/FieldKeyRules.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QDir>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace kv;

bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A form window like the main panel: not a dialog.
struct Form {
    QWidget window;
    CNumericEditEx* code = new CNumericEditEx(&window);
    CEditEx* name = new CEditEx(&window);
    CComboBoxEn* era = new CComboBoxEn(&window);
    CButtonEx* greeting = new CButtonEx(QStringLiteral("年賀状"), CButtonEx::Kind::CheckBox, &window);
    CEditEx* amount = new CEditEx(&window);
    CListCtrlEx* items = new CListCtrlEx(&window);
    CButtonEx* pick = new CButtonEx(QStringLiteral("車名"), CButtonEx::Kind::PushButton, &window);

    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : controls())
            layout->addWidget(w);
        era->addItems({QString(), QStringLiteral("昭和"), QStringLiteral("平成")});
        amount->setAlignment(Qt::AlignRight);
        items->setColumns({{QStringLiteral("名称"), 120}});
        items->addRow({QStringLiteral("オイル交換")}, 1);
    }
    QList<QWidget*> controls() const { return {code, name, era, greeting, amount, items, pick}; }
};

struct MoveCase {
    int from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int to;
};

class FocusMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(FocusMoves, EnterAndTabMoveBetweenTabStops)
{
    Form form;
    ASSERT_TRUE(showActive(form.window));
    const QList<QWidget*> controls = form.controls();
    QWidget* start = controls[GetParam().from];
    start->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(start->hasFocus());
    QTest::keyClick(start, GetParam().key, GetParam().modifiers);
    EXPECT_TRUE(controls[GetParam().to]->hasFocus())
        << "focus on " << (QApplication::focusWidget()
                               ? QApplication::focusWidget()->metaObject()->className()
                               : "nothing");
}

INSTANTIATE_TEST_SUITE_P(
    AllControls, FocusMoves,
    ::testing::Values(
        MoveCase{0, Qt::Key_Return, Qt::NoModifier, 1},
        MoveCase{0, Qt::Key_Enter, Qt::KeypadModifier, 1},
        MoveCase{1, Qt::Key_Tab, Qt::NoModifier, 2},
        MoveCase{2, Qt::Key_Return, Qt::NoModifier, 3},
        MoveCase{3, Qt::Key_Return, Qt::NoModifier, 4},
        MoveCase{4, Qt::Key_Return, Qt::NoModifier, 5},
        MoveCase{5, Qt::Key_Return, Qt::NoModifier, 6},
        MoveCase{6, Qt::Key_Return, Qt::NoModifier, 0},
        MoveCase{3, Qt::Key_Return, Qt::ShiftModifier, 2},
        MoveCase{5, Qt::Key_Backtab, Qt::ShiftModifier, 4},
        MoveCase{4, Qt::Key_Tab, Qt::ShiftModifier, 3},
        // Shift+Enter in the first field wraps round to the last tab stop.
        MoveCase{0, Qt::Key_Return, Qt::ShiftModifier, 6}));

// What a control keeps when its window binds the same key to a command:
// its editing keys; function keys and other combinations go to the window.
TEST(ControlKeys, ControlsKeepEditingKeysAndLeaveTheRestToTheirWindow)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool kept;
    } keys[] = {
        {Qt::Key_A, none, true},
        {Qt::Key_A, Qt::ShiftModifier, true},
        {Qt::Key_1, Qt::KeypadModifier, true},
        {Qt::Key_Return, none, true},
        {Qt::Key_Tab, none, true},
        {Qt::Key_Escape, none, true},
        {Qt::Key_Left, none, true},
        {Qt::Key_Right, Qt::ShiftModifier, true},
        {Qt::Key_Home, none, true},
        {Qt::Key_Backspace, none, true},
        {Qt::Key_C, Qt::ControlModifier, true},
        {Qt::Key_X, Qt::ControlModifier, true},
        {Qt::Key_V, Qt::ControlModifier, true},
        {Qt::Key_Z, Qt::ControlModifier, true},
        {Qt::Key_A, Qt::ControlModifier, true},
        {Qt::Key_F1, none, false},
        {Qt::Key_F12, Qt::ShiftModifier, false},
        {Qt::Key_F2, Qt::ControlModifier, false},
        {Qt::Key_F5, Qt::AltModifier, false},
        {Qt::Key_Left, Qt::ControlModifier, false},
        {Qt::Key_Right, Qt::ControlModifier, false},
        {Qt::Key_Space, Qt::ControlModifier, false},
        {Qt::Key_1, Qt::ControlModifier, false},
        {Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier, false},
        {Qt::Key_X, Qt::AltModifier, false},
    };
    for (const auto& k : keys) {
        const QKeyEvent event(QEvent::KeyPress, k.key, k.modifiers);
        EXPECT_EQ(FieldKeyRules::keepsKey(event), k.kept)
            << QKeySequence(QKeyCombination(k.modifiers, k.key)).toString().toStdString();
    }
}

TEST(ControlKeys, EnterInRightAlignedAmountMovesOnWithoutLineBreak)
{
    Form form;
    ASSERT_TRUE(showActive(form.window));
    form.amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(form.amount, QStringLiteral("1234"));
    QTest::keyClick(form.amount, Qt::Key_Return);
    EXPECT_EQ(form.amount->text(), QStringLiteral("1234"));
    EXPECT_TRUE(form.items->hasFocus());
}

TEST(ControlKeys, SpacePressesButtonButEnterMovesOn)
{
    Form form;
    ASSERT_TRUE(showActive(form.window));
    QSignalSpy checkClicks(form.greeting, &QAbstractButton::clicked);
    QSignalSpy pickClicks(form.pick, &QAbstractButton::clicked);

    form.greeting->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.greeting, Qt::Key_Space);
    EXPECT_TRUE(form.greeting->isChecked());
    QTest::keyClick(form.greeting, Qt::Key_Space);
    EXPECT_FALSE(form.greeting->isChecked());
    QTest::keyClick(form.greeting, Qt::Key_Return);
    EXPECT_FALSE(form.greeting->isChecked());
    EXPECT_EQ(checkClicks.count(), 2);
    EXPECT_TRUE(form.amount->hasFocus());

    form.pick->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.pick, Qt::Key_Return);
    EXPECT_EQ(pickClicks.count(), 0);
    form.pick->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.pick, Qt::Key_Space);
    EXPECT_EQ(pickClicks.count(), 1);
}

TEST(ControlKeys, ButtonsAreDrawnInTheirKindAndState)
{
    Form form;
    form.name->setText(QStringLiteral("山田太郎"));
    form.amount->setText(QStringLiteral("1,234"));
    form.code->setReadOnly(true);
    form.code->setText(QStringLiteral("000123"));
    ASSERT_TRUE(showActive(form.window));
    const QImage unchecked = form.greeting->grab().toImage();
    form.greeting->setChecked(true);
    const QImage checked = form.greeting->grab().toImage();
    EXPECT_NE(unchecked, checked);
    EXPECT_NE(form.pick->grab().toImage(), form.greeting->grab().toImage());
    EXPECT_GT(form.greeting->sizeHint().width(), form.greeting->sizeHint().height());
    // For reviewers: how a form of these controls looks.
    EXPECT_TRUE(form.window.grab().save(QDir(kv::test::buildDir()).filePath("controls.png")));
}

TEST(ControlKeys, EscapeInFormDoesNothingSpecial)
{
    Form form;
    ASSERT_TRUE(showActive(form.window));
    form.name->setText(QStringLiteral("山田"));
    for (QWidget* control : form.controls()) {
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(form.window.isVisible());
        EXPECT_TRUE(control->hasFocus()) << control->metaObject()->className();
    }
    EXPECT_EQ(form.name->text(), QStringLiteral("山田"));
}

// A dialog holding one control of each kind and a default button; the
// controls take Enter and Esc before the dialog does.
struct Dialog {
    QDialog dialog;
    QList<QWidget*> controls;
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialog);

    Dialog()
    {
        auto* layout = new QVBoxLayout(&dialog);
        controls = {new CEditEx(&dialog), new CNumericEditEx(&dialog), new CComboBoxEn(&dialog),
                    new CButtonEx(QStringLiteral("暑中見舞い"), CButtonEx::Kind::CheckBox, &dialog),
                    new CListCtrlEx(&dialog)};
        for (QWidget* w : controls)
            layout->addWidget(w);
        layout->addWidget(ok);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    }
};

class DialogEscape : public ::testing::TestWithParam<int> {};

TEST_P(DialogEscape, EndsDialogWithCancelThoughItHasNoCancelButton)
{
    Dialog d;
    d.dialog.open();
    ASSERT_TRUE(showActive(d.dialog));
    QWidget* control = d.controls[GetParam()];
    control->setFocus(Qt::TabFocusReason);
    QSignalSpy finished(&d.dialog, &QDialog::finished);
    QTest::keyClick(control, Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.front().front().toInt(), int(QDialog::Rejected));
    EXPECT_FALSE(d.dialog.isVisible());
}

TEST_P(DialogEscape, EnterMovesOnInsteadOfPressingTheDefaultButton)
{
    Dialog d;
    d.dialog.open();
    ASSERT_TRUE(showActive(d.dialog));
    QWidget* control = d.controls[GetParam()];
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control, Qt::Key_Return);
    EXPECT_TRUE(d.dialog.isVisible());
    EXPECT_EQ(d.dialog.result(), 0);
    EXPECT_FALSE(control->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(EachControl, DialogEscape, ::testing::Range(0, 5));

} // namespace
