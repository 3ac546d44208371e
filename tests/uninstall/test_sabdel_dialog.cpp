#include "uninstall/core/UninstallTexts.h"
#include "uninstall/ui/CSabdelDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using kv::uninstall::CSabdelDlg;
namespace Texts = kv::uninstall::UninstallTexts;

namespace {

int answerWithKey(Qt::Key key)
{
    CSabdelDlg dialog;
    QTimer::singleShot(0, &dialog, [&dialog, key] {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &dialog, key);
    });
    return dialog.exec();
}

TEST(SabdelDialog, EnterRunsAndEscCancels)
{
    EXPECT_EQ(answerWithKey(Qt::Key_Return), QDialog::Accepted);
    EXPECT_EQ(answerWithKey(Qt::Key_Escape), QDialog::Rejected);
}

TEST(SabdelDialog, ShowsItsTextsAndButtons)
{
    CSabdelDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), Texts::DialogTitle);
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_EQ(texts, QStringList({Texts::DialogText, Texts::DialogWarning}));
    EXPECT_EQ(dialog.runButton()->text(), Texts::RunButton);
    EXPECT_EQ(dialog.cancelButton()->text(), Texts::CancelButton);
    EXPECT_TRUE(dialog.runButton()->isDefault());
}

} // namespace
