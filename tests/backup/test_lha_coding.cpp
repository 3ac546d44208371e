#include "backup/core/Crc16.h"
#include "backup/core/HuffmanCode.h"
#include "backup/core/LevelTwoHeader.h"

#include "support/Utf8.h"

#include <QTimeZone>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kv::backup;
using kv::test::u;

TEST(Crc16, MatchesTheKnownCheckValues)
{
    EXPECT_EQ(Crc16::of("123456789"), 0xBB3D);
    EXPECT_EQ(Crc16::of(""), 0x0000);
    EXPECT_EQ(Crc16::of(QByteArray(1, '\0')), 0x0000);
    EXPECT_EQ(Crc16::of(QByteArray(1, '\xFF')), 0x4040);

    // Fed in pieces it is the same; followed by itself it comes to zero.
    const QByteArray data = "The quick brown fox jumps over the lazy dog";
    Crc16 pieces;
    pieces.update(data.left(10));
    pieces.update(data.mid(10));
    EXPECT_EQ(pieces.value(), Crc16::of(data));
    QByteArray withCrc = data;
    withCrc.append(char(pieces.value() & 0xFF)).append(char(pieces.value() >> 8));
    EXPECT_EQ(Crc16::of(withCrc), 0);
}

namespace {

// Sum of 2^(max - length) over the used symbols: 2^max for a complete code.
quint64 kraftSum(const std::vector<quint8>& lengths, int maxLength)
{
    quint64 sum = 0;
    for (quint8 len : lengths)
        if (len > 0)
            sum += quint64(1) << (maxLength - len);
    return sum;
}

} // namespace

TEST(HuffmanCode, LimitsSkewedFrequenciesToSixteenBitsAndStaysComplete)
{
    // Fibonacci frequencies make an unlimited Huffman code 39 bits deep.
    std::vector<quint32> frequencies(510, 0);
    quint32 a = 1, b = 1;
    for (int s = 0; s < 40; ++s) {
        frequencies[size_t(s * 7)] = a;
        const quint32 next = a + b;
        a = b;
        b = next;
    }
    const HuffmanCode code(frequencies, 16);
    const auto& lengths = code.lengths();
    EXPECT_LE(*std::max_element(lengths.begin(), lengths.end()), 16);
    EXPECT_EQ(kraftSum(lengths, 16), quint64(1) << 16);
    for (int s = 0; s < 40; ++s) {
        EXPECT_GT(lengths[size_t(s * 7)], 0);
        if (s > 0) { // more frequent, never longer
            EXPECT_LE(lengths[size_t(s * 7)], lengths[size_t((s - 1) * 7)]);
        }
    }
    EXPECT_EQ(code.singleSymbol(), -1);
}

TEST(HuffmanCode, GivesOptimalCanonicalCodesWithinTheLimit)
{
    const HuffmanCode code({8, 4, 2, 1, 1, 0}, 16);
    EXPECT_EQ(code.lengths(), (std::vector<quint8>{1, 2, 3, 4, 4, 0}));
    EXPECT_EQ(code.code(0), 0b0);
    EXPECT_EQ(code.code(1), 0b10);
    EXPECT_EQ(code.code(2), 0b110);
    EXPECT_EQ(code.code(3), 0b1110);
    EXPECT_EQ(code.code(4), 0b1111);

    // Capped at 3 bits the same frequencies still get a complete code.
    const auto capped = HuffmanCode::limitedLengths({8, 4, 2, 1, 1}, 3);
    EXPECT_LE(*std::max_element(capped.begin(), capped.end()), 3);
    EXPECT_EQ(kraftSum(capped, 3), 8u);
}

TEST(HuffmanCode, NamesTheOnlySymbolInUse)
{
    EXPECT_EQ(HuffmanCode({0, 0, 5, 0}, 16).singleSymbol(), 2);
    EXPECT_EQ(HuffmanCode({0, 0, 0}, 16).singleSymbol(), 0);
    EXPECT_EQ(HuffmanCode({0, 1, 5}, 16).singleSymbol(), -1);
}

namespace {

struct Extension {
    quint8 type;
    QByteArray data;
};

// The extended headers of an encoded level-2 header, in order.
std::vector<Extension> extensions(const QByteArray& header)
{
    std::vector<Extension> found;
    qsizetype at = 24;
    quint16 size = qFromLittleEndian<quint16>(header.constData() + at);
    at += 2;
    while (size != 0 && at + size <= header.size()) {
        found.push_back({quint8(header[at]), header.mid(at + 1, size - 3)});
        at += size;
        size = qFromLittleEndian<quint16>(header.constData() + at - 2);
    }
    return found;
}

} // namespace

TEST(LevelTwoHeader, CarriesTheFieldsNamesAndItsOwnCrc)
{
    LevelTwoHeader header;
    QString error;
    ASSERT_TRUE(header.setName(u("データ/顧客データ.mdb"), &error)) << error.toStdString();
    header.compressedSize = 1000;
    header.originalSize = 5000;
    header.dataCrc = 0x1234;
    header.modified = QDateTime::fromSecsSinceEpoch(1700000000, QTimeZone::utc());
    const QByteArray bytes = header.encode(&error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();

    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData()), bytes.size());
    EXPECT_EQ(bytes.mid(2, 5), "-lh5-");
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 7), 1000u);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 11), 5000u);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 15), 1700000000u);
    EXPECT_EQ(bytes[20], 2);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 21), 0x1234);

    const auto found = extensions(bytes);
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].type, 0x00);
    EXPECT_EQ(found[1].type, 0x01);
    EXPECT_EQ(found[1].data, QByteArray("\x8c\xda\x8b\x71\x83\x66\x81\x5b\x83\x5e.mdb"));
    EXPECT_EQ(found[2].type, 0x02);
    EXPECT_EQ(found[2].data, QByteArray("\x83\x66\x81\x5b\x83\x5e\xff"));
    // The code page, 932.
    EXPECT_EQ(found[3].type, 0x46);
    EXPECT_EQ(found[3].data, QByteArray("\xa4\x03\0\0", 4));
    EXPECT_EQ(found[4].type, 0x40);
    EXPECT_EQ(found[5].type, 0x50);

    // The CRC covers the whole header with its own field zeroed.
    QByteArray zeroed = bytes;
    zeroed[27] = 0;
    zeroed[28] = 0;
    EXPECT_EQ(qFromLittleEndian<quint16>(found[0].data.constData()), Crc16::of(zeroed));
}

TEST(LevelTwoHeader, PadsAHeaderWhoseSizeWouldReadAsTheArchiveEnd)
{
    LevelTwoHeader header;
    header.modified = QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
    QString error;
    bool padded = false;
    for (int length = 150; length < 260 && !padded; ++length) {
        ASSERT_TRUE(header.setName(QString(length, QLatin1Char('a')), &error));
        const QByteArray bytes = header.encode(&error);
        EXPECT_NE(bytes.size() & 0xFF, 0);
        padded = bytes.size() == 257;
    }
    EXPECT_TRUE(padded);
}

TEST(LevelTwoHeader, RefusesWhatItsFieldsCannotHold)
{
    LevelTwoHeader header;
    header.modified = QDateTime::currentDateTimeUtc();
    QString error;
    ASSERT_TRUE(header.setName(QStringLiteral("big.dat"), &error));

    header.originalSize = LevelTwoHeader::kMaxSize;
    EXPECT_FALSE(header.encode(&error).isEmpty());
    header.originalSize = LevelTwoHeader::kMaxSize + 1;
    EXPECT_TRUE(header.encode(&error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("4294967295"))) << error.toStdString();

    header.originalSize = 0;
    header.compressedSize = LevelTwoHeader::kMaxSize + 1;
    EXPECT_TRUE(header.encode(&error).isEmpty());

    header.compressedSize = 0;
    header.modified = QDateTime(QDate(1960, 1, 1), QTime(0, 0), QTimeZone::utc());
    EXPECT_TRUE(header.encode(&error).isEmpty());
}

TEST(LevelTwoHeader, RefusesNamesThatCannotBeRestoredSafely)
{
    LevelTwoHeader header;
    QString error;
    for (const QString& name : {QString(), u("/etc/passwd"), u("../up.mdb"), u("a//b"), u("dir/"),
                                u("C:/x.mdb")}) {
        EXPECT_FALSE(header.setName(name, &error)) << name.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(header.setName(u("a\\b.mdb"), &error));
    EXPECT_EQ(header.codePage(), LevelTwoHeader::kCodePageCp932);
    // Kept, in UTF-8.
    EXPECT_TRUE(header.setName(u("絵文字😀.mdb"), &error));
    EXPECT_EQ(header.codePage(), LevelTwoHeader::kCodePageUtf8);
}
