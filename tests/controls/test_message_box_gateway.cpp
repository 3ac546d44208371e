#include "controls/MessageBoxGateway.h"
#include "support/ModalDialogHelper.h"

#include <QAbstractButton>
#include <QTest>
#include <QThread>

#include <memory>

#include <gtest/gtest.h>

namespace {

using kv::MessageBoxGateway;
using kv::MessageGateway;

const QString Title = QStringLiteral("自動車整備業システム サビオン");
const QString Confirm = QStringLiteral("本当によろしいですね？");

TEST(MessageBoxGateway, MessageHasOnlyOkAndTheProgramTitle)
{
    MessageBoxGateway gateway;
    kv::test::ModalDialogHelper dialogs;
    QMessageBox::StandardButtons buttons;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        buttons = box->standardButtons();
        EXPECT_EQ(box->windowTitle(), Title);
        EXPECT_EQ(box->text(), QStringLiteral("該当顧客が存在しません！"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Ok)->click();
    });
    gateway.showMessage(QStringLiteral("該当顧客が存在しません！"), MessageGateway::Icon::Warning);
    EXPECT_EQ(dialogs.answered(), 1);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

struct QuestionCase {
    bool defaultNo;
    QMessageBox::StandardButton expectedDefault;
};

class Question : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(Question, EnterGivesTheDefaultTheCallerAskedFor)
{
    MessageBoxGateway gateway;
    kv::test::ModalDialogHelper dialogs;
    dialogs.pressEnterOnNextMessageBox();
    const bool yes = gateway.askYesNo(Confirm, GetParam().defaultNo, MessageGateway::Icon::Question);
    EXPECT_EQ(yes, !GetParam().defaultNo);
    EXPECT_EQ(dialogs.captions(), QStringList{Title});
    EXPECT_EQ(dialogs.texts(), QStringList{Confirm});
    EXPECT_EQ(dialogs.defaultButtons(),
              QList<QMessageBox::StandardButton>{GetParam().expectedDefault});
}

INSTANTIATE_TEST_SUITE_P(Defaults, Question,
                         ::testing::Values(QuestionCase{true, QMessageBox::No},
                                           QuestionCase{false, QMessageBox::Yes}));

TEST(MessageBoxGateway, QuestionAnswersWhatWasClicked)
{
    MessageBoxGateway gateway;
    kv::test::ModalDialogHelper dialogs;
    dialogs.clickNextMessageBox(QMessageBox::Yes);
    dialogs.clickNextMessageBox(QMessageBox::No);
    EXPECT_TRUE(gateway.askYesNo(Confirm, true, MessageGateway::Icon::Question));
    EXPECT_FALSE(gateway.askYesNo(Confirm, false, MessageGateway::Icon::Question));
    EXPECT_EQ(dialogs.answered(), 2);
}

TEST(MessageBoxGateway, EscapeAnswersNo)
{
    MessageBoxGateway gateway;
    kv::test::ModalDialogHelper dialogs;
    dialogs.answerNext([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_FALSE(gateway.askYesNo(Confirm, false, MessageGateway::Icon::Question));
}

TEST(MessageBoxGateway, ShorthandsReachTheInstalledBoxes)
{
    MessageBoxGateway gateway;
    kv::installMessageGateway(&gateway);
    kv::test::ModalDialogHelper dialogs;
    dialogs.clickNextMessageBox(QMessageBox::Ok);
    kv::showMessage(QStringLiteral("年月日が異常です！"));
    kv::installMessageGateway(nullptr);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("年月日が異常です！")});
}

TEST(MessageBoxGateway, QuestionFromWorkerThreadIsAskedOnTheInterfaceThread)
{
    MessageBoxGateway gateway;
    kv::test::ModalDialogHelper dialogs;
    QThread* boxThread = nullptr;
    dialogs.answerNext([&](QWidget* dialog) {
        boxThread = dialog->thread();
        qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Yes)->click();
    });
    bool answer = false;
    std::unique_ptr<QThread> worker(QThread::create(
        [&] { answer = gateway.askYesNo(Confirm, true, MessageGateway::Icon::Question); }));
    worker->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return worker->isFinished(); }, 10000));
    worker->wait();
    EXPECT_TRUE(answer);
    EXPECT_EQ(boxThread, qApp->thread());
}

} // namespace
