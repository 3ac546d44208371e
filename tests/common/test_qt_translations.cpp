// Qt's own dialogs speak Japanese once the program has started.

#include "common/QtTranslations.h"

#include "support/TempFolder.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using kv::QtTranslations;

TEST(QtTranslations, MessageBoxAndFileDialogButtonsAreJapanese)
{
    kv::test::TempFolder empty;
    EXPECT_FALSE(QtTranslations::install(empty.path())) << "no catalogue there";
    QMessageBox english;
    english.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(english.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));

    ASSERT_TRUE(QtTranslations::install()) << "qt6-translations-l10n is installed by scripts/deps";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    const auto* buttons = files.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    EXPECT_TRUE(buttons->button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("キャンセル")))
        << buttons->button(QDialogButtonBox::Cancel)->text().toStdString();
}
