#include "data/service/ShareLockTable.h"

#include <gtest/gtest.h>

using kv::data::ShareLockTable;

namespace {

// A slot as another writer left it: name bytes already masked, code masked.
QByteArray slotBytes(const QByteArray& maskedName, const QByteArray& maskedCode)
{
    QByteArray slot(48, '\0');
    slot.replace(0, maskedName.size(), maskedName);
    slot.replace(44, 4, maskedCode);
    return slot;
}

} // namespace

TEST(ShareLockTable, DecodesSlotsWrittenByAnotherComputer)
{
    // "Server" holding 5, then "Desktop" (its 'k' masks to a zero byte) holding 0.
    QByteArray file = slotBytes(QByteArray::fromHex("380e191d0e19"), QByteArray::fromHex("a2913e5b"))
        + slotBytes(QByteArray::fromHex("2f0e18001f041b"), QByteArray::fromHex("a7913e5b"));
    file.resize(960, '\0');

    const ShareLockTable table = ShareLockTable::fromBytes(file);
    EXPECT_EQ(table.nameOf(0), "Server");
    EXPECT_EQ(table.codeOf(0), 5);
    EXPECT_EQ(table.nameOf(1), "Desktop");
    EXPECT_EQ(table.codeOf(1), 0);
    EXPECT_EQ(table.slotOf(ShareLockTable::storedName("Desktop")), 1);
    EXPECT_EQ(table.slotOf(ShareLockTable::storedName("Des")), -1);
    EXPECT_EQ(table.firstFree(), 2);
    EXPECT_TRUE(table.isHeldElsewhere(ShareLockTable::storedName("Desktop"), 5));
    EXPECT_FALSE(table.isHeldElsewhere(ShareLockTable::storedName("Server"), 5));
}

TEST(ShareLockTable, ShortFileReadsAsZerosAndLongFileKeepsTheTable)
{
    const QByteArray slot0 = slotBytes(QByteArray::fromHex("380e191d0e19"), QByteArray::fromHex("a2913e5b"));
    const ShareLockTable shortTable = ShareLockTable::fromBytes(slot0.left(46));
    EXPECT_EQ(shortTable.bytes().size(), 960);
    EXPECT_EQ(shortTable.nameOf(0), "Server");
    // The code was cut after two bytes (a2 91): the missing two read as zero.
    EXPECT_EQ(shortTable.codeOf(0), qint32(0x5B3E0005));
    for (int slot = 1; slot < 20; ++slot)
        EXPECT_TRUE(shortTable.isFree(slot)) << slot;

    QByteArray longFile = slot0;
    longFile.resize(960, '\0');
    longFile += QByteArray(100, '\x55');
    EXPECT_EQ(ShareLockTable::fromBytes(longFile).bytes(), longFile.left(960));
}

TEST(ShareLockTable, FreeSlotHoldsNoCodeEvenThoughItDecodesToTheMask)
{
    const ShareLockTable table;
    EXPECT_EQ(table.codeOf(0), qint32(0x5B3E91A7));
    EXPECT_FALSE(table.isHeldElsewhere(ShareLockTable::storedName("PC2"), qint32(0x5B3E91A7)));
}

TEST(ShareLockTable, StoredNameIsTheMaskedFieldOrRefused)
{
    EXPECT_EQ(ShareLockTable::storedName("PC2"), QByteArray::fromHex("3b2859") + QByteArray(41, '\0'));
    EXPECT_EQ(ShareLockTable::storedName(QString::fromUtf8("事務所")),
              QByteArray::fromHex("e5fdfddae4e1") + QByteArray(38, '\0'));

    const QString longest(43, QLatin1Char('A'));
    EXPECT_EQ(ShareLockTable::storedName(longest).size(), 44);

    const struct {
        const char* why;
        QString name;
    } refused[] = {
        {"empty", QString()},
        {"44 bytes leave no room for the terminator", QString(44, QLatin1Char('A'))},
        {"22 double-byte characters are 44 bytes", QString(22, QChar(0x4E8B))},
        {"only 'k's store as a free slot", QStringLiteral("kk")},
        {"no CP932 form", QString::fromUtf8("PC\xF0\x9F\x98\x80")},
    };
    for (const auto& row : refused)
        EXPECT_TRUE(ShareLockTable::storedName(row.name).isEmpty()) << row.why;
}
