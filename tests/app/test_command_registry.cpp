// The registry of the main window's commands, alone and as the window shows
// it: registering, refusing a taken id, rules asked anew, keys of disabled
// commands and keys the focused field keeps.
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandGroup.h"
#include "app/frame/CommandId.h"
#include "app/frame/CommandRegistry.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace kv::app;

namespace {

QKeySequence key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

// An id no menu, button or other registration uses.
constexpr int kFreeId = 7001;

TEST(CommandRegistry, ACommandRunsOnlyWithItsWindowBuiltAndItsRuleMet)
{
    CommandRegistry registry;
    int runs = 0;
    bool allowed = true;
    ASSERT_TRUE(registry.registerCommand({
        .id = 1,
        .run = [&] { ++runs; },
        .available = [&] { return allowed; },
    }));
    ASSERT_TRUE(registry.registerCommand({.id = 2, .text = QStringLiteral("waiting")}));

    EXPECT_TRUE(registry.isAvailable(1));
    EXPECT_TRUE(registry.run(1));
    EXPECT_EQ(runs, 1);
    allowed = false;
    EXPECT_FALSE(registry.isAvailable(1));
    EXPECT_FALSE(registry.run(1));
    EXPECT_EQ(runs, 1);

    // Registered without a window: shown, never run.
    ASSERT_NE(registry.command(2), nullptr);
    EXPECT_EQ(registry.command(2)->text, QStringLiteral("waiting"));
    EXPECT_FALSE(registry.isAvailable(2));
    EXPECT_FALSE(registry.run(2));
    EXPECT_EQ(registry.command(3), nullptr);
    EXPECT_FALSE(registry.run(3));
}

TEST(CommandRegistry, ATakenIdIsRefusedAndTheFirstRegistrationStays)
{
    CommandRegistry registry;
    QList<int> told;
    registry.setListener([&](int id) { told << id; });
    int first = 0;
    int second = 0;
    ASSERT_TRUE(registry.registerCommand({
        .id = 5,
        .text = QStringLiteral("first"),
        .keys = {key(Qt::Key_F5)},
        .run = [&] { ++first; },
    }));
    EXPECT_FALSE(registry.registerCommand({
        .id = 5,
        .text = QStringLiteral("second"),
        .keys = {key(Qt::Key_F6)},
        .run = [&] { ++second; },
    }));
    EXPECT_FALSE(registry.registerCommand({.id = 0, .run = [&] { ++second; }}));

    EXPECT_EQ(registry.command(5)->text, QStringLiteral("first"));
    EXPECT_TRUE(registry.run(5));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_F5)), 5);
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_F6)), 0);
    EXPECT_EQ(told, QList<int>{5});
}

TEST(CommandRegistry, AGroupTakesAwayOnlyTheCommandsItRegistered)
{
    CommandRegistry registry;
    QList<int> told;
    registry.setListener([&](int id) { told << id; });
    {
        CommandGroup owner(registry);
        ASSERT_TRUE(owner.add({.id = 1}));
        {
            CommandGroup latecomer(registry);
            EXPECT_FALSE(latecomer.add({.id = 1, .text = QStringLiteral("latecomer")}));
            EXPECT_TRUE(latecomer.add({.id = 2}));
        }
        ASSERT_NE(registry.command(1), nullptr) << "the refused duplicate took the owner's command";
        EXPECT_TRUE(registry.command(1)->text.isEmpty());
        EXPECT_EQ(registry.command(2), nullptr);
        // Gone, the id is free for a new owner.
        CommandGroup next(registry);
        EXPECT_TRUE(next.add({.id = 2}));
    }
    EXPECT_EQ(registry.command(1), nullptr);
    EXPECT_EQ(registry.command(2), nullptr);
    EXPECT_EQ(told, (QList<int>{1, 2, 2, 2, 2, 1}));
}

TEST(CommandRegistry, KeysFindTheirCommandAndKeypadDigitsCountAsTheMainOnes)
{
    CommandRegistry registry;
    registry.registerCommand({.id = 1, .keys = {key(Qt::Key_1, Qt::ControlModifier)}});
    registry.registerCommand({.id = 2, .keys = {key(Qt::Key_Left, Qt::ControlModifier),
                                                key(Qt::Key_F2, Qt::AltModifier)}});
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_1, Qt::ControlModifier)), 1);
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier)), 1);
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_F2, Qt::AltModifier)), 2);
    EXPECT_EQ(registry.commandForKey(key(Qt::Key_Left, Qt::ControlModifier)), 2);
    for (const QKeySequence& other :
         {key(Qt::Key_1), key(Qt::Key_1, Qt::KeypadModifier), key(Qt::Key_Left),
          key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier), key(Qt::Key_F2), QKeySequence()})
        EXPECT_EQ(registry.commandForKey(other), 0) << other.toString().toStdString();
}

// A shown and active main window with a line edit in the panel's place, as
// the panel's fields sit in it.
class RegisteredCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>(CMainFrame::Setup{});
        auto* layout = new QVBoxLayout(frame->viewSlot());
        field = new QLineEdit(QStringLiteral("alpha beta"), frame->viewSlot());
        layout->addWidget(field);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        field->setFocus();
        field->setCursorPosition(0);
    }

    // A command on the given keys, counting its runs, allowed by the flag.
    void add(CommandGroup& group, int id, QList<QKeySequence> keys)
    {
        ASSERT_TRUE(group.add({
            .id = id,
            .text = QStringLiteral("Test(&T)"),
            .statusTip = QStringLiteral("prompt"),
            .keys = std::move(keys),
            .run = [this] { ++runs; },
            .available = [this] { return allowed; },
        }));
    }

    std::unique_ptr<CMainFrame> frame;
    QLineEdit* field = nullptr;
    int runs = 0;
    bool allowed = true;
};

TEST_F(RegisteredCommands, ACommandRegisteredLaterShowsInItsMenuItemAndGoesWithItsOwner)
{
    QAction* item = frame->action(CommandId::WorkPartsItems);
    ASSERT_NE(item, nullptr) << "the menu holds its items before anyone registers";
    EXPECT_FALSE(item->isEnabled());
    {
        CommandGroup owner(frame->registry());
        add(owner, CommandId::WorkPartsItems, {key(Qt::Key_F7, Qt::ControlModifier)});
        // A command in no menu or toolbar gets its keys all the same.
        add(owner, kFreeId, {key(Qt::Key_F6, Qt::ControlModifier)});
        EXPECT_EQ(item->text(), QStringLiteral("Test(&T)"));
        EXPECT_EQ(item->statusTip(), QStringLiteral("prompt"));
        EXPECT_TRUE(item->isEnabled());
        ASSERT_NE(frame->action(kFreeId), nullptr);
        QTest::keyClick(frame.get(), Qt::Key_F7, Qt::ControlModifier);
        QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ControlModifier);
        EXPECT_EQ(runs, 2);
    }
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(item->shortcuts().isEmpty());
    EXPECT_TRUE(frame->action(kFreeId)->shortcuts().isEmpty());
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ControlModifier);
    item->trigger();
    EXPECT_EQ(runs, 2);
}

TEST_F(RegisteredCommands, TheRuleIsAskedAgainAtEveryRefreshAndBeforeEveryRun)
{
    CommandGroup owner(frame->registry());
    allowed = false;
    add(owner, kFreeId, {key(Qt::Key_F7)});
    QAction* action = frame->action(kFreeId);
    EXPECT_FALSE(action->isEnabled());

    allowed = true;
    frame->refreshCommands();
    EXPECT_TRUE(action->isEnabled());

    // Unavailable since the last refresh: the enabled item does nothing.
    allowed = false;
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(action->isEnabled());
}

TEST_F(RegisteredCommands, AFramesKeyRunsFromTheFocusedFieldButADisabledOneStaysTheFields)
{
    CommandGroup owner(frame->registry());
    add(owner, kFreeId, {key(Qt::Key_Right, Qt::ControlModifier)});

    // Unavailable: nothing runs and the field moves by a word as ever.
    allowed = false;
    frame->refreshCommands();
    QTest::keyClick(field, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(field->cursorPosition(), 6);

    // Available, even since the last refresh: the frame takes the key.
    allowed = true;
    QTest::keyClick(field, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(field->cursorPosition(), 6);
}

TEST_F(RegisteredCommands, KeysTheFieldKeepsAreNotTakenFromItEvenWhenTheFrameHasThem)
{
    CommandGroup owner(frame->registry());
    add(owner, kFreeId, {key(Qt::Key_Right)});
    add(owner, kFreeId + 1, {key(Qt::Key_A, Qt::ControlModifier)});
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(field->cursorPosition(), 1);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), QStringLiteral("alpha beta"));
    EXPECT_EQ(runs, 0);

    // In a window of its own the field is no business of the frame's.
    add(owner, kFreeId + 2, {key(Qt::Key_Right, Qt::ControlModifier)});
    QWidget other;
    auto* otherField = new QLineEdit(QStringLiteral("alpha beta"), &other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    otherField->setFocus();
    otherField->setCursorPosition(0);
    QTest::keyClick(otherField, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(otherField->cursorPosition(), 6);
    EXPECT_EQ(runs, 0);
}

} // namespace
