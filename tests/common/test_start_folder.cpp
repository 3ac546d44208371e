// Where the file choosers open when the folder they were given is gone.

#include "common/StartFolder.h"

#include "ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

using kv::existingStartFolder;
using kv::existingStartPath;
using kv::test::ScopedEnvironment;
using kv::test::TempFolder;

TEST(StartFolder, AGoneFolderFallsBackToDocumentsThenHome)
{
    TempFolder temp;
    const QString home = temp.file(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    const ScopedEnvironment homeVariable("HOME", home.toUtf8());
    const ScopedEnvironment documents("XDG_DOCUMENTS_DIR", std::nullopt);
    const ScopedEnvironment config("XDG_CONFIG_HOME", temp.file(QStringLiteral("config")).toUtf8());
    const QString gone = temp.file(QStringLiteral("gone"));

    EXPECT_EQ(existingStartFolder(temp.path()), temp.path());
    // No documents folder yet: home.
    EXPECT_EQ(existingStartFolder(gone), home);
    EXPECT_EQ(existingStartFolder({}), home);
    EXPECT_EQ(existingStartPath(gone + QStringLiteral("/見積.pdf")), home + QStringLiteral("/見積.pdf"));
    EXPECT_EQ(existingStartPath(QStringLiteral("見積.pdf")), home + QStringLiteral("/見積.pdf"));

    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/Documents")));
    EXPECT_EQ(existingStartFolder(gone), home + QStringLiteral("/Documents"));
    EXPECT_EQ(existingStartPath(gone + QStringLiteral("/a.csv")), home + QStringLiteral("/Documents/a.csv"));
    // What exists is kept as it is.
    const QString kept = temp.path() + QStringLiteral("/b.csv");
    EXPECT_EQ(existingStartPath(kept), kept);
    EXPECT_EQ(existingStartPath(temp.path()), temp.path());
}
