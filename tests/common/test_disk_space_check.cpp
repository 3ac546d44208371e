// The free-space checks: 1 GiB to start, 1 MiB to write, each with its
// message, and the roots asked for.

#include "common/DiskSpaceCheck.h"
#include "support/RecordingMessageGateway.h"

#include <QStringList>

#include <gtest/gtest.h>

using kv::DiskSpaceCheck;
using kv::test::RecordingMessageGateway;

TEST(DiskSpaceCheck, BoundariesAndFailures)
{
    struct Case {
        const char* name;
        bool start;
        double freeBytes;
        bool queryWorks;
        bool result;
        QString message;
    };
    const QString folder = QStringLiteral("/srv/data");
    const QString startLow = QStringLiteral(
        "ドライブ (/srv/data) の空き容量が１ＧＢ未満です！\nディスクの空き容量が少ない状態での実行は\n"
        "誤動作やデータ破損の原因になります。\n整理して空き容量を増やして下さい。");
    const QString writeLow =
        QStringLiteral("ドライブ (/srv/data) の空き容量が１ＭＢ未満です！\n整理して空き容量を増やして下さい");
    const Case cases[] = {
        {"start exactly 1 GiB", true, 1073741824.0, true, true, {}},
        {"start one byte short", true, 1073741823.0, true, false, startLow},
        {"start query fails", true, 0, false, false, QStringLiteral("空き容量チェックエラー")},
        {"write exactly 1 MiB", false, 1048576.0, true, true, {}},
        {"write one byte short", false, 1048575.0, true, false, writeLow},
        {"write query fails", false, 0, false, false, QStringLiteral("空き容量チェックエラー")},
    };
    for (const Case& c : cases) {
        RecordingMessageGateway messages;
        DiskSpaceCheck check(folder, folder, false, [&](const QString& root, double* freeBytes) {
            EXPECT_EQ(root, folder);
            *freeBytes = c.freeBytes;
            return c.queryWorks;
        });
        EXPECT_EQ(c.start ? check.CheckDiskSpaceForStart() : check.CheckDiskSpaceForWrite(), c.result)
            << c.name;
        EXPECT_EQ(messages.messages(), c.message.isEmpty() ? QStringList{} : QStringList{c.message})
            << c.name;
    }
}

TEST(DiskSpaceCheck, AClientAlsoChecksItsLocalFolderAndNetworkRootsEndInASlash)
{
    RecordingMessageGateway messages;
    QStringList roots;
    DiskSpaceCheck check(QStringLiteral("//PC1/share/data"), QStringLiteral("/home/shop/data"), true,
                         [&](const QString& root, double* freeBytes) {
                             roots << root;
                             *freeBytes = root.startsWith(QStringLiteral("//")) ? 5e9 : 1e6;
                             return true;
                         });
    EXPECT_FALSE(check.CheckDiskSpaceForStart());
    EXPECT_EQ(roots, (QStringList{"//PC1/share/data/", "/home/shop/data"}));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages().first().startsWith(QStringLiteral("ドライブ (/home/shop/data)")));
}

