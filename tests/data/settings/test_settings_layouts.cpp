#include "data/settings/BitmapFileNames.h"
#include "data/settings/CallInfoFile.h"
#include "data/settings/CallerIdSettings.h"
#include "data/settings/CategoryNames.h"
#include "data/settings/GeneralSettings.h"
#include "data/settings/PrintSettings.h"
#include "data/settings/RoundingSettings.h"
#include "data/settings/SettingsList.h"
#include "data/settings/ShopDetails.h"
#include "ExpectedBytes.h"
#include "support/Utf8.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>

using kv::test::ExpectedBytes;
using namespace kv::data;
using kv::test::u;

namespace {
QByteArray hexBytes(const char* digits)
{
    return QByteArray::fromHex(QByteArray(digits).replace(' ', ""));
}
}

TEST(SettingsLayout, GeneralSettingsFile001)
{
    GeneralSettings s;
    s.agencyFeeTaxable = 1;
    s.lastRecordedSlipNo = 123456;
    s.defaultPrefecture = -1;
    const QByteArray expected =
        ExpectedBytes(256).i32(0, 1).hex(4, "40 e2 01 00").hex(12, "ff ff ff ff").bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(GeneralSettings::fromBytes(expected), s);
}

TEST(SettingsLayout, RoundingSettingsFile002)
{
    RoundingSettings s;
    s.taxRate = 0.10;
    s.tax = {0, 1};
    s.parts = {1, 2};
    s.discount = {2, 0};
    s.billed = {0, 2};
    s.labour = {2, 1};
    const QByteArray expected = ExpectedBytes(256)
                                    .hex(0, "9a 99 99 99 99 99 b9 3f") // 0.1 as IEEE double
                                    .i32(8, 0).i32(12, 1)
                                    .i32(16, 1).i32(20, 2)
                                    .i32(24, 2).i32(28, 0)
                                    .i32(32, 0).i32(36, 2)
                                    .i32(40, 2).i32(44, 1)
                                    .bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(RoundingSettings::fromBytes(expected), s);
}

TEST(SettingsLayout, PrintSettingsFile003AndPositionFile)
{
    PrintSettings s;
    s.positions = PrintPositions::defaults();
    s.positions.labelX = 12;
    s.positions.labelY = -7;
    s.colourInk = 1;
    s.discountSign = 1;
    s.partsLabourBreakdown = 0;
    s.jobCategoryListOption = 3;
    ExpectedBytes head(256);
    head.i32(0, -1).i32(4, -3).i32(8, 8).i32(12, 5) // postcard
        .i32(16, -2).i32(20, 0)                     // 全体
        .i32(24, 0).i32(28, 0)                      // 宛先
        .i32(32, 1050).i32(36, 1480).i32(40, 2100)  // 折目・中心
        .i32(44, 12).i32(48, -7);                   // label sheet
    const QByteArray positionFile = head.bytes();
    const QByteArray expected = head.i32(52, 1).i32(56, 1).i32(60, 0).i32(64, 3).bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(PrintSettings::fromBytes(expected), s);
    EXPECT_EQ(s.positions.toFileBytes(), positionFile);
    EXPECT_EQ(PrintPositions::fromBytes(positionFile), s.positions);
}

TEST(SettingsLayout, ShopDetailsFile004)
{
    ShopDetails s;
    s.shopName = u("サビオン自動車");
    s.address1 = u("東京都練馬区");
    s.address2 = u("1-2-3");
    s.telephone1 = u("03-1234-5678");
    s.telephone2 = u("090");
    s.business = u("車検");
    s.slipNotice = u("他\r\nﾃｽﾄ");
    s.fontName = u("ＭＳ Ｐゴシック");
    s.labourRate = 8000;
    s.bodyWorkRate = 7500;
    s.bankAccount = u("品川");
    const QByteArray expected = ExpectedBytes(1024)
                                    .hex(0, "83 54 83 72 83 49 83 93 8e a9 93 ae 8e d4")
                                    .hex(30, "93 8c 8b 9e 93 73 97 fb 94 6e 8b e6")
                                    .hex(70, "31 2d 32 2d 33")
                                    .hex(110, "30 33 2d 31 32 33 34 2d 35 36 37 38")
                                    .hex(126, "30 39 30")
                                    .hex(142, "8e d4 8c 9f")
                                    .hex(182, "91 bc 0d 0a c3 bd c4")
                                    .hex(682, "82 6c 82 72 20 82 6f 83 53 83 56 83 62 83 4e")
                                    .hex(940, "40 1f 00 00")
                                    .hex(944, "4c 1d 00 00")
                                    .hex(948, "95 69 90 ec")
                                    .bytes();
    EXPECT_EQ(s.toBytes(), expected);
    // The first telephone line is read back like the others.
    EXPECT_EQ(ShopDetails::fromBytes(expected), s);
}

TEST(SettingsLayout, ShopDetailsEmptyFontReadsAsTheDefaultFont)
{
    const ShopDetails s = ShopDetails::fromBytes(QByteArray(1024, '\0'));
    EXPECT_EQ(s.fontName, u("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(s.shopName.isEmpty());
}

TEST(SettingsLayout, BitmapFileNamesFile005)
{
    BitmapFileNames s;
    s.paths[0] = u("/srv/bmp/a.bmp");
    s.paths[1] = u("品川.bmp");
    s.paths[9] = QString(255, QLatin1Char('z'));
    const QByteArray expected = ExpectedBytes(2560)
                                    .hex(0, "2f 73 72 76 2f 62 6d 70 2f 61 2e 62 6d 70")
                                    .hex(255, "95 69 90 ec 2e 62 6d 70")
                                    .fill(2295, 255, 'z')
                                    .bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(BitmapFileNames::fromBytes(expected), s);
}

TEST(SettingsLayout, CategoryNamesFile009IsMaskedByteByByte)
{
    CategoryNames s;
    s.names[0] = u("一般");
    s.names[12] = u("ﾀｲﾔ");
    s.names[15] = u("鈑金");
    s.names[16] = u("塗装");
    s.names[18] = u("他");
    // Every stored byte is the plain byte XOR 0x5D; unused bytes are masked
    // zeros, so an empty name is four mask bytes.
    QByteArray expected(76, char(0x5D));
    const auto put = [&](int index, const char* plainHex) {
        const QByteArray plain = hexBytes(plainHex);
        for (int k = 0; k < plain.size(); ++k)
            expected[4 * index + k] = char(static_cast<unsigned char>(plain[k]) ^ 0x5D);
    };
    put(0, "88 ea 94 ca");
    put(12, "c0 b2 d4");
    put(15, "e7 e5 8b e0");
    put(16, "93 68 91 95");
    put(18, "91 bc");
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(expected.mid(60, 8), hexBytes("ba b8 d6 bd ce 35 cc c8"));
    EXPECT_EQ(CategoryNames::fromBytes(expected), s);
    EXPECT_EQ(s.indexOf(u("塗装")), 16);
    EXPECT_EQ(s.indexOf(u("塗")), -1);
}

TEST(SettingsLayout, CategoryNamesReadingStopsAtAMaskedOrRawZero)
{
    struct Case {
        const char* stored;
        const char* expected;
    };
    const Case cases[] = {
        {"cc e1 5d 1c", "他"},    // bytes after the masked zero are not part of the name
        {"cc e1 00 1c", "他"},    // a raw zero ends the field too
        {"5d cc e1 1c", ""},      // masked zero first: empty
        {"ec 7d 5d 5d", "ｱ"},     // "ｱ " with a trailing blank, which is dropped
        {"ba b8 d6 bd", "鈑金"},  // four bytes, no terminator
    };
    for (const Case& c : cases) {
        QByteArray file(76, char(0x5D));
        file.replace(0, 4, hexBytes(c.stored));
        EXPECT_EQ(CategoryNames::fromBytes(file).names[0], u(c.expected)) << c.stored;
    }
}

TEST(SettingsLayout, CategoryNamesRefusesWhatCannotBeReadBack)
{
    struct Case {
        const char* name;
        const char* why;
    };
    // ゾ is 83 5D: its trail byte would be stored as a zero.
    const Case cases[] = {{"鈑金塗", "five bytes"}, {"ゾ", "mask byte"}, {"]", "mask byte"},
                          {"한", "not CP932"}};
    for (const Case& c : cases) {
        CategoryNames s;
        s.names[3] = u(c.name);
        QString refusal;
        EXPECT_TRUE(s.toBytes(&refusal).isEmpty()) << c.why;
        EXPECT_TRUE(refusal.contains(u("区分3"))) << refusal.toStdString();
    }
}

TEST(SettingsLayout, ListFilesRecordByRecord)
{
    struct Case {
        const ListLayout& layout;
        int size;
        int recordSize;
        int textBytes;
    };
    const Case cases[] = {
        {ListLayout::transportOffices(), 160, 8, 8}, {ListLayout::vehicleClasses(), 496, 16, 10},
        {ListLayout::vehicleUses(), 496, 16, 8},     {ListLayout::bodyShapes(), 1952, 32, 30},
        {ListLayout::makes(), 1952, 32, 30},         {ListLayout::fuels(), 336, 16, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout.fileName);
        SettingsList list(c.layout);
        ASSERT_EQ(list.count() * c.recordSize, c.size);
        list.setEntry(1, u("品川"));
        list.setEntry(list.count() - 1, QString(c.textBytes, QLatin1Char('x')));
        const QByteArray expected = ExpectedBytes(c.size)
                                        .hex(c.recordSize, "95 69 90 ec")
                                        .fill(c.size - c.recordSize, c.textBytes, 'x')
                                        .bytes();
        EXPECT_EQ(list.toBytes(), expected);
        SettingsList back(c.layout);
        back.readBytes(expected);
        EXPECT_EQ(back, list);

        // The bytes of a record past its text are not read.
        QByteArray junk = expected;
        if (c.textBytes < c.recordSize)
            junk.replace(c.recordSize + c.textBytes, c.recordSize - c.textBytes,
                         QByteArray(c.recordSize - c.textBytes, 'J'));
        back.readBytes(junk);
        EXPECT_EQ(back.entry(1), u("品川"));
    }
}

TEST(SettingsLayout, MakeEntryOfExactlyThirtyBytesIsReadBackWhole)
{
    const QString thirty = u("メルセデス・ベンツ") + u("トヨタ"); // 24 + 6 bytes
    SettingsList makes(ListLayout::makes());
    makes.setEntry(5, thirty);
    const QByteArray bytes = makes.toBytes();
    ASSERT_EQ(bytes.size(), 1952);
    EXPECT_EQ(bytes.mid(5 * 32, 32),
              hexBytes("83 81 83 8b 83 5a 83 66 83 58 81 45 83 78 83 93 83 63 83 67 83 88 83 5e "
                       "00 00 00 00 00 00 00 00"));
    SettingsList back(ListLayout::makes());
    // Bytes 30 and 31 of the record are not text even when they are set.
    QByteArray dirty = bytes;
    dirty[5 * 32 + 30] = 'A';
    dirty[5 * 32 + 31] = 'B';
    back.readBytes(dirty);
    EXPECT_EQ(back.entry(5), thirty);
}

TEST(SettingsLayout, TextThatDoesNotFitIsRefusedNotCut)
{
    struct Case {
        const char* text;
        bool fits;
    };
    // Field of 30 bytes: 15 double-byte characters fit; one more byte makes
    // the last character straddle the end and is refused whole.
    const Case cases[] = {
        {"あいうえおかきくけこさしすせそ", true},
        {"Aあいうえおかきくけこさしすせそ", false},
        {"ｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵ", true},
        {"ｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱｲｳｴｵｱ", false},
        {"한국", false},
        {"\xF0\x9F\x98\x80", false},
    };
    for (const Case& c : cases) {
        ShopDetails s;
        s.shopName = u(c.text);
        QString refusal;
        const QByteArray bytes = s.toBytes(&refusal);
        EXPECT_EQ(!bytes.isEmpty(), c.fits) << c.text;
        EXPECT_EQ(refusal.isEmpty(), c.fits) << c.text;
        if (!c.fits)
            EXPECT_TRUE(refusal.startsWith(u("自社名"))) << refusal.toStdString();
        else
            EXPECT_EQ(ShopDetails::fromBytes(bytes).shopName, s.shopName);
    }
    SettingsList fuels(ListLayout::fuels());
    fuels.setEntry(3, u("ハイブリッド")); // 12 bytes in a 10-byte field
    QString refusal;
    EXPECT_TRUE(fuels.toBytes(&refusal).isEmpty());
    EXPECT_TRUE(refusal.contains(u("燃料 3番"))) << refusal.toStdString();
}

TEST(SettingsLayout, CallerIdSettingsFile017)
{
    CallerIdSettings s;
    s.port = 3;
    s.soundOption = 1;
    s.soundPath = u("/usr/share/sounds/ring.wav");
    const QByteArray expected = ExpectedBytes(1024)
                                    .i32(0, 3)
                                    .i32(4, 1)
                                    .hex(8, "2f 75 73 72 2f 73 68 61 72 65 2f 73 6f 75 6e 64 73 2f "
                                            "72 69 6e 67 2e 77 61 76")
                                    .bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(CallerIdSettings::fromBytes(expected), s);
}

TEST(SettingsLayout, CallInfoFile018)
{
    CallInfoFile s;
    CallInfoEntry& e = s.entries[19];
    e.kokCode = 42;
    e.ownerName1 = u("品川");
    e.ownerName2 = QString(20, QLatin1Char('n')); // fills its field: no terminator
    e.furi = u("ﾃｽﾄ");
    e.ownerJyu1 = u("東京都練馬区");
    e.ownerJyu2 = u("1-2-3");
    e.tel1 = u("090");
    e.tel2 = u("03");
    e.arrival = u("2026/12/09 10:15");
    const int base = 19 * 512;
    const QByteArray expected = ExpectedBytes(10240)
                                    .i32(base, 42)
                                    .hex(base + 4, "95 69 90 ec")
                                    .fill(base + 24, 20, 'n')
                                    .hex(base + 44, "c3 bd c4")
                                    .hex(base + 64, "93 8c 8b 9e 93 73 97 fb 94 6e 8b e6")
                                    .hex(base + 94, "31 2d 32 2d 33")
                                    .hex(base + 124, "30 39 30")
                                    .hex(base + 144, "30 33")
                                    .hex(base + 164, "32 30 32 36 2f 31 32 2f 30 39 20 31 30 3a 31 35")
                                    .bytes();
    EXPECT_EQ(s.toBytes(), expected);
    EXPECT_EQ(CallInfoFile::fromBytes(expected), s);
}

// Every reader takes damaged bytes: a short file keeps what it holds and
// reads zeros past its end, a long one is read up to the record's size, and
// garbage decodes to something without running past any buffer.
TEST(SettingsLayout, DamagedFilesAreReadAsFarAsTheyGo)
{
    struct Reader {
        const char* name;
        int size;
        std::function<QByteArray(const QByteArray&)> roundTrip; // decode, then encode again
    };
    const auto list = [](const ListLayout& layout) {
        return [&layout](const QByteArray& b) {
            SettingsList l(layout);
            l.readBytes(b);
            QString refusal;
            return l.toBytes(&refusal);
        };
    };
    const Reader readers[] = {
        {"001", 256, [](const QByteArray& b) { return GeneralSettings::fromBytes(b).toBytes(); }},
        {"002", 256, [](const QByteArray& b) { return RoundingSettings::fromBytes(b).toBytes(); }},
        {"003", 256, [](const QByteArray& b) { return PrintSettings::fromBytes(b).toBytes(); }},
        {"004", 1024, [](const QByteArray& b) { return ShopDetails::fromBytes(b).toBytes(); }},
        {"005", 2560, [](const QByteArray& b) { return BitmapFileNames::fromBytes(b).toBytes(); }},
        {"009", 76, [](const QByteArray& b) { return CategoryNames::fromBytes(b).toBytes(); }},
        {"013", 1952, list(ListLayout::makes())},
        {"017", 1024, [](const QByteArray& b) { return CallerIdSettings::fromBytes(b).toBytes(); }},
        {"018", 10240, [](const QByteArray& b) { return CallInfoFile::fromBytes(b).toBytes(); }},
    };
    QRandomGenerator random(20261209);
    for (const Reader& r : readers) {
        SCOPED_TRACE(r.name);
        QByteArray garbage(r.size * 2, '\0');
        for (char& c : garbage)
            c = char(random.bounded(256));
        for (const QByteArray& input :
             {QByteArray(), garbage.left(1), garbage.left(r.size / 2), garbage.left(r.size - 1),
              garbage.left(r.size), garbage, QByteArray(r.size, char(0x81)),
              QByteArray(r.size, char(0xFF))}) {
            // A second round must be stable: whatever was read can be stored.
            const QByteArray once = r.roundTrip(input);
            if (!once.isEmpty()) {
                EXPECT_EQ(once.size(), r.size);
                EXPECT_EQ(r.roundTrip(once), once);
            }
        }
    }
}

TEST(SettingsLayout, ShortFileKeepsItsFieldsAndReadsZeroBeyond)
{
    // "002.dat" cut after the tax rule: rate and tax rule survive, the rest is zero.
    const QByteArray full = ExpectedBytes(256)
                                .hex(0, "9a 99 99 99 99 99 b9 3f")
                                .i32(8, 2).i32(12, 1)
                                .i32(16, 1).i32(20, 1)
                                .bytes();
    const RoundingSettings cut = RoundingSettings::fromBytes(full.left(18));
    EXPECT_DOUBLE_EQ(cut.taxRate, 0.10);
    EXPECT_EQ(cut.tax, (RoundingRule{2, 1}));
    EXPECT_EQ(cut.parts, (RoundingRule{1, 0})); // two of the four bytes of the type survive
    EXPECT_EQ(cut.labour, (RoundingRule{0, 0}));

    // A list file cut in the middle of record 2's text keeps its first bytes.
    SettingsList uses(ListLayout::vehicleUses());
    uses.readBytes(ExpectedBytes(40).hex(16, "8f e6 97 70").hex(32, "89 dd 95 a8").bytes().left(34));
    EXPECT_EQ(uses.entry(1), u("乗用"));
    EXPECT_EQ(uses.entry(2), u("貨"));
    EXPECT_EQ(uses.entry(3), QString());
}
