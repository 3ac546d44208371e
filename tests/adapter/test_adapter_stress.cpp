// Randomized input for the frame reader and the parsers, from a fixed seed so
// that a failure repeats. Under the sanitizers this checks that no input,
// however broken, reads or writes outside its buffers.
#include "adapter/Crc16Kermit.h"
#include "adapter/FrameReader.h"
#include "adapter/NoticeParser.h"
#include "adapter/ReplyParser.h"
#include "adapter/ReplyStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace tlx;

namespace {

constexpr std::uint32_t kSeed = 20261209;

// Bytes that matter to the protocol turn up far more often than at random.
std::string randomInput(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {
        " ", "/", "\n", "\r", "\x02", "\x03", "OK", "ERROR", "/C", "C", "D", "-", "12", "0312345678",
        "12-09", "10:30", std::string(30, '9'), std::string(1, '\0'), "INFO", "LATE",
    };
    std::string out;
    const int parts = static_cast<int>(random() % 40);
    for (int i = 0; i < parts; ++i) {
        if (random() % 3 == 0)
            out += static_cast<char>(random() % 256);
        else
            out += pieces[random() % pieces.size()];
    }
    return out;
}

template <typename Record>
struct Guarded {
    unsigned char before[16];
    Record record;
    unsigned char after[16];
    Guarded()
    {
        std::memset(before, 0xA5, sizeof before);
        std::memset(&record, 0xA5, sizeof record);
        std::memset(after, 0xA5, sizeof after);
    }
    bool intact() const
    {
        for (int i = 0; i < 16; ++i) {
            if (before[i] != 0xA5 || after[i] != 0xA5)
                return false;
        }
        return true;
    }
};

bool terminatedWithin(const char* field, std::size_t width)
{
    return std::memchr(field, '\0', width) != nullptr;
}

void parseEverywhere(const char* line)
{
    Guarded<TlxCallNotice> notice;
    if (parseNotice(line, notice.record)) {
        EXPECT_TRUE(terminatedWithin(notice.record.number, 24));
        EXPECT_TRUE(terminatedWithin(notice.record.fifth, 6));
        EXPECT_LE(notice.record.form, 1);
    }
    EXPECT_TRUE(notice.intact());

    Guarded<TlxCallRecord> record;
    if (parseCallRecord(line, record.record) == RecordParse::Filled) {
        EXPECT_TRUE(terminatedWithin(record.record.time, 6));
    }
    EXPECT_TRUE(record.intact());

    Guarded<TlxState> state;
    parseState(line, state.record);
    EXPECT_TRUE(state.intact());

    const std::int32_t code = deviceErrorCode(line);
    EXPECT_TRUE(code == 0 || (code >= 3 && code <= 8));
}

} // namespace

TEST(AdapterStress, RandomBytesThroughReaderAndParsers)
{
    std::mt19937 random(kSeed);
    ReplyStore store;
    for (int round = 0; round < 4000; ++round) {
        const std::string input = randomInput(random);
        FrameReader reader(round % 2 == 1);
        for (const char c : input) {
            const FrameReader::Result result = reader.feed(static_cast<std::uint8_t>(c));
            if (result == FrameReader::Result::NeedMore)
                continue;
            ASSERT_LE(std::strlen(reader.line()), FrameReader::kMaxBytes);
            if (result == FrameReader::Result::Line) {
                parseEverywhere(reader.line());
                if (store.count() == ReplyStore::kLines)
                    store.clear();
                store.add(reader.line());
            }
            reader.reset();
        }
        parseEverywhere(reader.line());
    }
    Guarded<TlxListEntry[TLX_REPLY_LINES]> entries;
    EXPECT_LE(parseTelList(store, entries.record), static_cast<std::int32_t>(store.count()));
    EXPECT_TRUE(entries.intact());
    Guarded<TlxCallRecord[TLX_REPLY_LINES]> records;
    EXPECT_LE(parseHistory(store, records.record), static_cast<std::int32_t>(store.count()));
    EXPECT_TRUE(records.intact());
}

TEST(AdapterStress, EveryValidFrameReadsBackAndEverySingleBitErrorIsCaught)
{
    std::mt19937 random(kSeed + 1);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const std::size_t length = 1 + random() % 200;
        while (text.size() < length) {
            const char c = static_cast<char>(random() % 256);
            if (c != '\x02' && c != '\x03' && c != '\n' && c != '\0')
                text += c;
        }
        const auto checkOf = [](const std::string& raw) {
            return crc16Kermit(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size());
        };
        const auto feedFrame = [](const std::string& raw, std::uint16_t crc, std::string& line) {
            FrameReader reader(true);
            const std::string bytes = "\x02" + raw + "\x03" + char(crc & 0xFF) + char(crc >> 8);
            FrameReader::Result result = FrameReader::Result::NeedMore;
            for (const char c : bytes) {
                result = reader.feed(static_cast<std::uint8_t>(c));
                if (result != FrameReader::Result::NeedMore)
                    break;
            }
            line = reader.line();
            return result;
        };
        std::string line;
        ASSERT_EQ(feedFrame(text, checkOf(text), line), FrameReader::Result::Line);
        ASSERT_EQ(line, text);

        std::string damaged = text;
        const std::size_t at = random() % damaged.size();
        damaged[at] = static_cast<char>(damaged[at] ^ (1 << (random() % 8)));
        if (damaged[at] == '\x02' || damaged[at] == '\x03')
            continue;
        ASSERT_EQ(feedFrame(damaged, checkOf(text), line), FrameReader::Result::CrcMismatch) << round;
    }
}
