// Where the data folder is shared on the server and mounted on a client,
// which mounts give no working locks, and the names computers go by in
// the lock tables.

#include "data/service/ShareLockTable.h"
#include "lan/core/ComputerName.h"
#include "lan/core/MountTable.h"
#include "lan/core/ShareTable.h"
#include "lan/core/platform/SystemShares.h"
#include "QStringPrinter.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace kv::lan;
using kv::test::RecordingMessageGateway;
using kv::test::u;

namespace {

const char* const kSmbConf = R"(
[global]
   workgroup = WORKGROUP
   path = /should/not/count
; a comment
[homes]
   path = /home
[printers]
   path = /var/spool/samba
   printable = yes
[Data$]
   path = /srv/sabion/Data
[off]
   path = /srv/sabion/Data
   available = no
[Sabion]
   comment = shop data
   Path = /srv/sabion/Data/
   read only = no
[Srv]
   path = /srv \
)";

const char* const kExports = R"(# /etc/exports
/srv/nfs/sabion   192.168.1.0/24(rw,sync,no_subtree_check)
"/srv/with space"  *(rw)
/srv/other\040dir  host(rw)
)";

const char* const kMounts = R"(sysfs /sys sysfs rw,nosuid 0 0
/dev/sda1 / ext4 rw,relatime 0 0
//PC01/Sabion /mnt/sabion cifs rw,vers=3.1.1,cache=strict,username=shop,uid=1000 0 0
//pc01/sabion /mnt/nobrl cifs rw,vers=3.1.1,nobrl 0 0
pc02.shop.lan:/srv/nfs/sabion /mnt/nfs nfs4 rw,relatime,vers=4.2,local_lock=none,addr=192.168.1.20 0 0
pc02:/srv/nfs /mnt/nfs-nolock nfs rw,nolock,addr=192.168.1.20 0 0
pc02:/srv/nfs/sabion /mnt/nfs-local nfs rw,local_lock=all 0 0
shop@pc01:/srv/sabion /mnt/sshfs fuse.sshfs rw,nosuid 0 0
/dev/sdb1 /mnt/my\040disk ext4 rw 0 0
)";

} // namespace

TEST(ShareTable, SambaConfigurationUserSharesAndExports)
{
    const QList<Share> samba = ShareTable::parseSmbConf(u(kSmbConf));
    ASSERT_EQ(samba.size(), 3);
    EXPECT_EQ(samba[0].name, u("Data$")) << "read, but never taken";
    EXPECT_EQ(samba[1].name, u("Sabion"));
    EXPECT_EQ(samba[1].path, u("/srv/sabion/Data")) << "trailing slash dropped";
    EXPECT_EQ(samba[2].path, u("/srv")) << "continued line";

    const QList<Share> user = ShareTable::parseUsershare(
        u("sabion"), u("#VERSION 2\npath=/home/shop/Sabion Data\ncomment=\nusershare_acl=S-1-1-0:F,\n"
                       "guest_ok=n\nsharename=Sabion\n"));
    ASSERT_EQ(user.size(), 1);
    EXPECT_EQ(user[0].name, u("Sabion")) << "the share name in its own case";
    EXPECT_EQ(user[0].path, u("/home/shop/Sabion Data"));
    EXPECT_TRUE(ShareTable::parseUsershare(u("x"), u("comment=none\n")).isEmpty());

    const QList<Share> nfs = ShareTable::parseExports(u(kExports));
    ASSERT_EQ(nfs.size(), 3);
    EXPECT_EQ(nfs[0].path, u("/srv/nfs/sabion"));
    EXPECT_EQ(nfs[1].path, u("/srv/with space"));
    EXPECT_EQ(nfs[2].path, u("/srv/other dir"));
    EXPECT_EQ(nfs[0].kind, Share::Kind::Nfs);
}

TEST(ShareTable, NetworkPathOfTheDataFolder)
{
    QList<Share> shares = ShareTable::parseSmbConf(u(kSmbConf));
    shares += ShareTable::parseExports(u(kExports));
    EXPECT_EQ(ShareTable::networkPathOf(u("/srv/sabion/Data"), shares, u("pc01")), u("//pc01/Sabion"))
        << "the exact share before the one above it, never the hidden one";
    EXPECT_EQ(ShareTable::networkPathOf(u("/srv/sabion/Data/"), shares, u("pc01")), u("//pc01/Sabion"));
    EXPECT_EQ(ShareTable::networkPathOf(u("/srv/sabion/Other"), shares, u("pc01")), u("//pc01/Srv/sabion/Other"));
    EXPECT_EQ(ShareTable::networkPathOf(u("/srv/nfs/sabion/Data"), shares, u("pc01")),
              u("//pc01/srv/nfs/sabion/Data")) << "the deepest share above the folder";
    EXPECT_EQ(ShareTable::networkPathOf(u("/srv/nfs/sabion/Data"), ShareTable::parseExports(u(kExports)), u("pc01")),
              u("//pc01/srv/nfs/sabion/Data"));
    EXPECT_EQ(ShareTable::networkPathOf(u("/srvx"), shares, u("pc01")), QString()) << "no share of a name's prefix";

    RecordingMessageGateway messages;
    QString path;
    QString failure = u("stale");
    EXPECT_TRUE(ShareTable::GetSharedDataFolderPath(u("/srv/sabion/Data"), shares, u("pc01"), path, failure));
    EXPECT_EQ(path, u("//pc01/Sabion"));
    EXPECT_TRUE(failure.isEmpty());
    QStringList failures;
    for (const QString& folder : {QString(), u("Data"), u("/home/x")}) {
        EXPECT_FALSE(ShareTable::GetSharedDataFolderPath(folder, shares, u("pc01"), path, failure));
        EXPECT_TRUE(path.isEmpty()) << folder.toStdString();
        failures << failure;
    }
    EXPECT_EQ(failures, (QStringList{u("このパスは異常です100！"), u("このパスは異常です101！"),
                                     u("サビオンのデータフォルダが共有されていません！")}));
    EXPECT_TRUE(messages.messages().isEmpty()) << "the server tells its user, once per cause";
}

TEST(MountTable, WhereTheServersFolderIsMounted)
{
    const QList<MountEntry> mounts = MountTable::parse(u(kMounts));
    ASSERT_EQ(mounts.size(), 9);
    EXPECT_EQ(mounts[8].mountPoint, u("/mnt/my disk"));
    EXPECT_EQ(mounts[2].options.value(1), u("vers=3.1.1"));

    EXPECT_EQ(MountTable::mountOf(u("/mnt/sabion/Data"), mounts)->source, u("//PC01/Sabion"));
    EXPECT_EQ(MountTable::mountOf(u("/mnt/sabionx"), mounts)->mountPoint, u("/"));
    EXPECT_EQ(MountTable::mountOf(u("/mnt/my disk/a"), mounts)->type, u("ext4"));
    EXPECT_FALSE(MountTable::mountOf(u("relative"), mounts));

    // Samba: host and share in any case, the rest below the mount point.
    EXPECT_EQ(MountTable::localPathOf(u("//pc01/sabion"), mounts), u("/mnt/sabion"));
    EXPECT_EQ(MountTable::localPathOf(u("//PC01.shop.lan/Sabion/Data"), mounts), u("/mnt/sabion/Data"));
    // NFS: the exported path, the deepest mount of it.
    EXPECT_EQ(MountTable::localPathOf(u("//pc02/srv/nfs/sabion/Data"), mounts), u("/mnt/nfs/Data"));
    EXPECT_EQ(MountTable::localPathOf(u("//pc02/srv/nfs/other"), mounts), u("/mnt/nfs-nolock/other"));
    // The server's own name for itself may not be what this computer mounted.
    EXPECT_FALSE(MountTable::localPathOf(u("//shop-server/Sabion"), mounts));
    EXPECT_EQ(MountTable::localPathOf(u("//shop-server/Sabion"), mounts, {u("PC01")}), u("/mnt/sabion"));
    EXPECT_FALSE(MountTable::localPathOf(u("//pc01/Other"), mounts));
    EXPECT_FALSE(MountTable::localPathOf(u("/mnt/sabion"), mounts));
}

TEST(MountTable, MountsWithoutWorkingLocksAreRefusedNamingTheOption)
{
    const QList<MountEntry> mounts = MountTable::parse(u(kMounts));
    const auto refusal = [&](const char* folder) {
        return MountTable::lockRefusal(*MountTable::mountOf(u(folder), mounts), u(folder));
    };
    EXPECT_EQ(refusal("/mnt/sabion/Data"), QString());
    EXPECT_EQ(refusal("/mnt/nfs/Data"), QString()) << "local_lock=none keeps locks on the server";
    EXPECT_EQ(refusal("/home/shop/Data"), QString());

    const QString nobrl = refusal("/mnt/nobrl/Data");
    EXPECT_TRUE(nobrl.startsWith(u("データフォルダ /mnt/nobrl/Data のマウント"))) << nobrl.toStdString();
    EXPECT_TRUE(nobrl.contains(u("マウントオプション nobrl を付けずに")));
    EXPECT_TRUE(refusal("/mnt/nfs-nolock").contains(u("マウントオプション nolock を")));
    EXPECT_TRUE(refusal("/mnt/nfs-local/x").contains(u("マウントオプション local_lock=all を")));
    const QString fuse = refusal("/mnt/sshfs/Data");
    EXPECT_TRUE(fuse.contains(u("FUSE のファイルシステム"))) << fuse.toStdString();
    EXPECT_TRUE(fuse.contains(u("fuse.sshfs")));
}

TEST(SystemShares, ReadsTheSharesOfAFolderTree)
{
    kv::test::TempFolder root;
    QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(u("var/lib/samba/usershares")));
    ASSERT_TRUE(dir.mkpath(u("etc/samba")));
    ASSERT_TRUE(dir.mkpath(u("etc/exports.d")));
    const auto write = [&](const char* name, const QString& text) {
        QFile file(dir.filePath(u(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    };
    write("var/lib/samba/usershares/sabion", u("path=/home/shop/Data\nsharename=Sabion\n"));
    write("etc/samba/smb.conf", u(kSmbConf));
    write("etc/exports.d/shop.exports", u("/srv/nfs/shop *(rw)\n"));
    write("etc/exports.d/ignored.txt", u("/srv/nfs/ignored *(rw)\n"));
    const QList<Share> shares = SystemShares::read(root.path());
    QStringList paths;
    for (const Share& share : shares)
        paths << share.path;
    EXPECT_EQ(paths, (QStringList{u("/home/shop/Data"), u("/srv/sabion/Data"), u("/srv/sabion/Data"),
                                  u("/srv"), u("/srv/nfs/shop")}));
    EXPECT_FALSE(SystemShares::mounts().isEmpty()) << "this process's mount table";
}

TEST(ComputerName, EveryNameFitsALockTableSlot)
{
    using kv::data::ShareLockTable;
    const QStringList wanted{u("127.0.0.2"),
                             u("fe80::1234:5678:9abc:def0%enp0s31f6"),
                             u("Server"),
                             QString(60, QLatin1Char('x')),
                             QString(30, QChar(0x6F22)),
                             u("kk"),
                             QString(),
                             u("pc-😀-shop")};
    for (const QString& name : wanted) {
        const QString fitted = ComputerName::forLockTables(name);
        EXPECT_FALSE(ShareLockTable::storedName(fitted).isEmpty())
            << name.toStdString() << " -> " << fitted.toStdString();
    }
    EXPECT_EQ(ComputerName::forLockTables(u("127.0.0.2")), u("127.0.0.2")) << "a name that fits stays";
    EXPECT_EQ(ComputerName::forLockTables(u("fe80::1%eth0")), u("fe80::1"));
    EXPECT_EQ(ComputerName::forLockTables(u("kk")), u("PC-kk"));
    EXPECT_EQ(ComputerName::forLockTables(QString(30, QChar(0x6F22))), QString(21, QChar(0x6F22)));
}
