#include "support/TempFolder.h"
#include "support/TestPaths.h"
#include "uninstall/core/UserFolders.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace Names = kv::uninstall::InstalledNames;

namespace {

QString packaging(const QString& name)
{
    return kv::test::sourceDir() + QStringLiteral("/packaging/") + name;
}

TEST(PackageFiles, TheDesktopEntryValidatesAndOpensBackupFiles)
{
    const QString entry = packaging(Names::DesktopEntry);
    ASSERT_TRUE(QFile::exists(entry)) << "the uninstaller removes the user's copies by this name";
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(validator.isEmpty()) << "scripts/deps installs desktop-file-utils";
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    // The uninstaller's entry too.
    validate.start(validator, {entry, packaging(QStringLiteral("sabdel.desktop"))});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0);
    EXPECT_EQ(validate.readAll(), QByteArray()) << "not even a hint";

    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(desktop.value(QStringLiteral("Name")).toString(), QStringLiteral("サビオン"));
    EXPECT_EQ(desktop.value(QStringLiteral("Comment")).toString(), QStringLiteral("自動車整備業システム"));
    EXPECT_EQ(desktop.value(QStringLiteral("Icon")).toString(), QStringLiteral("sabion"));
    EXPECT_TRUE(desktop.value(QStringLiteral("Categories")).toString().split(u';').contains(u"Office"));
    // The file opened is passed on, so the program can offer its restore.
    EXPECT_EQ(desktop.value(QStringLiteral("Exec")).toString(), QStringLiteral("sabion %f"));
    EXPECT_TRUE(desktop.value(QStringLiteral("MimeType")).toString().split(u';').contains(Names::BackupMimeType));
}

TEST(PackageFiles, TheMimeTypeKnowsBackupFilesByTheirExtensionInEitherCase)
{
    kv::test::TempFolder share;
    QFile xml(packaging(Names::MimePackage));
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    ASSERT_TRUE(share.write(QStringLiteral("mime/packages/") + Names::MimePackage, xml.readAll()));
    // Read before the database is first used in this process.
    qputenv("XDG_DATA_DIRS", share.path().toUtf8() + ":/usr/share");
    const QMimeDatabase database;
    for (const char* name : {"20261211.SBK", "shop.sbk", "Shop.Sbk"}) {
        EXPECT_EQ(database.mimeTypeForFile(QString::fromLatin1(name), QMimeDatabase::MatchExtension).name(),
                  Names::BackupMimeType)
            << name;
    }
    EXPECT_NE(database.mimeTypeForFile(QStringLiteral("shop.sbk.txt"), QMimeDatabase::MatchExtension).name(),
              Names::BackupMimeType);
}

} // namespace
