#include "adapter/CommandTable.h"
#include "adapter/Crc16Kermit.h"
#include "adapter/FieldSplitter.h"
#include "adapter/FrameReader.h"
#include "adapter/NoticeParser.h"
#include "adapter/ReplyParser.h"
#include "adapter/ReplyStore.h"
#include "adapter/TextField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace tlx;

namespace {

std::vector<std::string> splitAll(const char* text, const char* delimiters)
{
    FieldSplitter fields(text, delimiters);
    std::vector<std::string> out;
    while (auto field = fields.next())
        out.emplace_back(*field);
    return out;
}

struct Fed {
    FrameReader::Result result = FrameReader::Result::NeedMore;
    std::string line;
    std::size_t consumed = 0;
};

Fed feedAll(FrameReader& reader, const std::string& bytes)
{
    Fed fed;
    for (const char c : bytes) {
        ++fed.consumed;
        fed.result = reader.feed(static_cast<std::uint8_t>(c));
        if (fed.result != FrameReader::Result::NeedMore)
            break;
    }
    fed.line = reader.line();
    return fed;
}

std::string framed(const std::string& text, std::uint16_t crc)
{
    return "\x02" + text + "\x03" + std::string(1, char(crc & 0xFF)) + std::string(1, char(crc >> 8));
}

} // namespace

TEST(AdapterCrc, KermitCheckValueAndItsByteOrderOnTheWire)
{
    const std::string check = "123456789";
    EXPECT_EQ(crc16Kermit(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x2189);
    EXPECT_EQ(crc16Kermit(nullptr, 0), 0x0000);

    FrameReader reader(true);
    const Fed lowFirst = feedAll(reader, "\x02" "123456789" "\x03" "\x89\x21");
    EXPECT_EQ(lowFirst.result, FrameReader::Result::Line);
    EXPECT_EQ(lowFirst.line, "123456789");
    reader.reset();
    EXPECT_EQ(feedAll(reader, "\x02" "123456789" "\x03" "\x21\x89").result, FrameReader::Result::CrcMismatch);
}

TEST(AdapterFrameReader, PlainLines)
{
    struct Case {
        std::string bytes;
        FrameReader::Result result;
        std::string line;
        std::size_t consumed;
    };
    const std::string long300(300, 'x');
    const std::vector<Case> cases = {
        {"OK\r\n", FrameReader::Result::Line, "OK\r", 4},
        {"\n\n\nERROR 1\r\nNEXT", FrameReader::Result::Line, "ERROR 1\r", 12},
        {"no end yet", FrameReader::Result::NeedMore, "no end yet", 10},
        // A line ends after 255 bytes, whether or not a line feed came.
        {long300, FrameReader::Result::Line, std::string(255, 'x'), 255},
        {std::string(300, '\n'), FrameReader::Result::Line, "", 255},
        // Start and end of text mean nothing to plain lines.
        {"\x02" "A\x03\n", FrameReader::Result::Line, "\x02" "A\x03", 4},
    };
    for (const Case& c : cases) {
        FrameReader reader(false);
        const Fed fed = feedAll(reader, c.bytes);
        EXPECT_EQ(fed.result, c.result) << c.bytes;
        EXPECT_EQ(fed.line, c.line) << c.bytes;
        EXPECT_EQ(fed.consumed, c.consumed) << c.bytes;
    }
}

TEST(AdapterFrameReader, CrcFrames)
{
    const auto crcOf = [](const std::string& raw) {
        return crc16Kermit(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size());
    };
    struct Case {
        std::string bytes;
        FrameReader::Result result;
        std::string line;
    };
    const std::vector<Case> cases = {
        {framed("OK\r\n", crcOf("OK\r\n")), FrameReader::Result::Line, "OK\r"},
        // Start-of-text bytes anywhere are not part of the text nor of its check.
        {"\x02\x02O\x02K\x03" + std::string(1, char(crcOf("OK") & 0xFF)) + std::string(1, char(crcOf("OK") >> 8)),
         FrameReader::Result::Line, "OK"},
        {framed("OK\r\n", static_cast<std::uint16_t>(crcOf("OK\r\n") ^ 1)), FrameReader::Result::CrcMismatch, "OK\r"},
        // A line feed inside the text ends the line but is checked.
        {framed("AB\nCD", crcOf("AB\nCD")), FrameReader::Result::Line, "AB"},
        {std::string("\x02") + std::string(300, 'y'), FrameReader::Result::Line, std::string(254, 'y')},
        {std::string(300, '\x02'), FrameReader::Result::Line, ""},
        {"\x02OK\x03\x01", FrameReader::Result::NeedMore, "OK"},
    };
    for (const Case& c : cases) {
        FrameReader reader(true);
        const Fed fed = feedAll(reader, c.bytes);
        EXPECT_EQ(fed.result, c.result) << c.bytes;
        EXPECT_EQ(fed.line, c.line) << c.bytes;
    }
}

TEST(AdapterFieldSplitter, EveryDelimiterEndsAField)
{
    using Fields = std::vector<std::string>;
    EXPECT_EQ(splitAll("LATE 0312345678 12-09 10:30/C", " "), (Fields {"LATE", "0312345678", "12-09", "10:30/C"}));
    EXPECT_EQ(splitAll("a  b", " "), (Fields {"a", "", "b"}));
    EXPECT_EQ(splitAll(" a", " "), (Fields {"", "a"}));
    EXPECT_EQ(splitAll("a b ", " "), (Fields {"a", "b"}));
    EXPECT_EQ(splitAll("", " "), Fields {});
    EXPECT_EQ(splitAll(nullptr, " "), Fields {});
    EXPECT_EQ(splitAll("N 0311 12-09 10:30/C", " /"), (Fields {"N", "0311", "12-09", "10:30", "C"}));
    // Text beyond what a line can hold is not looked at.
    const std::string longText(400, 'z');
    EXPECT_EQ(splitAll(longText.c_str(), " "), Fields {std::string(255, 'z')});
}

TEST(AdapterTextField, DecimalsAndFieldCuts)
{
    EXPECT_EQ(parseDecimal("12"), 12);
    EXPECT_EQ(parseDecimal(" -7x"), -7);
    EXPECT_EQ(parseDecimal("5\r"), 5);
    EXPECT_EQ(parseDecimal("99999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimal("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(parseDecimal("x1"), std::nullopt);
    EXPECT_EQ(parseDecimal(""), std::nullopt);
    EXPECT_EQ(parseDecimal("-"), std::nullopt);

    char field[6];
    std::memset(field, 'Q', sizeof field);
    copyField(field, "10:30:59");
    EXPECT_EQ(std::string(field, sizeof field), std::string("10:30\0", 6));
    copyField(field, "ab");
    EXPECT_EQ(std::string(field, sizeof field), std::string("ab\0\0\0\0", 6));

    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(fieldText(unterminated), "abcd");
}

TEST(AdapterReplies, OkAndErrorLinesAndTheDeviceErrorNumber)
{
    EXPECT_TRUE(isOkLine("OK\r"));
    EXPECT_TRUE(isOkLine("xxOKxx"));
    EXPECT_FALSE(isOkLine("ok"));
    EXPECT_TRUE(isErrorLine("ERROR 1\r"));
    struct Case {
        const char* line;
        std::int32_t code;
    };
    const Case cases[] = {
        {"ERROR 0", 6}, {"ERROR 1\r", 7}, {"ERROR 2", 8}, {"ERROR 3", 3}, {"ERROR 4", 4},
        {"ERROR 5", 5}, {"ERROR 9", 0}, {"ERROR -1", 0}, {"ERROR", 0}, {"ERROR\r", 0},
        {"ERROR x", 0}, {"ERROR  1", 0}, {"NG ERROR 1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(deviceErrorCode(c.line), c.code) << c.line;
}

TEST(AdapterReplies, CallRecords)
{
    TlxCallRecord record {};
    EXPECT_EQ(parseCallRecord("LATE 0312345678 12-09 10:30/C\r", record), RecordParse::Filled);
    EXPECT_STREQ(record.number, "0312345678");
    EXPECT_STREQ(record.date, "12-09");
    EXPECT_STREQ(record.time, "10:30");

    EXPECT_EQ(parseCallRecord("NONE/C", record), RecordParse::NoCall);
    EXPECT_STREQ(record.number, "");

    // A missing field fails with the fields before it filled.
    EXPECT_EQ(parseCallRecord("LATE 0312345678 12-09", record), RecordParse::MissingField);
    EXPECT_STREQ(record.number, "0312345678");
    EXPECT_STREQ(record.date, "12-09");
    EXPECT_STREQ(record.time, "");

    // Fields too long for the record are cut, never written past it.
    TlxCallRecord records[2] {};
    std::memset(&records[1], 'M', sizeof records[1]);
    EXPECT_EQ(parseCallRecord("L 0123456789012345678901234567890 1234567890 123456789/", records[0]), RecordParse::Filled);
    EXPECT_STREQ(records[0].number, "01234567890123456789012");
    EXPECT_STREQ(records[0].date, "12345");
    EXPECT_STREQ(records[0].time, "12345");
    EXPECT_EQ(records[1].number[0], 'M');
}

TEST(AdapterReplies, HistoryLines)
{
    ReplyStore store;
    store.add("H 0311111111 12-01 09:00/C");
    store.add("H 0322222222 12-02");
    store.add("H 0333333333 12-03 11:00/C");
    TlxCallRecord records[TLX_REPLY_LINES] {};
    EXPECT_EQ(parseHistory(store, records), 3);
    EXPECT_STREQ(records[0].number, "0311111111");
    EXPECT_STREQ(records[1].date, "12-02");
    EXPECT_STREQ(records[1].time, "");
    EXPECT_STREQ(records[2].time, "11:00");

    store.clear();
    store.add("H 0311111111 12-01 09:00/C");
    store.add("END/C");
    EXPECT_EQ(parseHistory(store, records), 0);
}

TEST(AdapterReplies, ListEntries)
{
    ReplyStore store;
    store.add("L 0001 10 0312345678 1 2\r");
    // The stated length tells a number with a blank in it.
    store.add("L 0002 12 03 123456789 -1 127");
    store.add("L 0003 11 03 123456789 5");
    store.add("L K0123456789012345678901234 28 0123456789012345678901234567 300 -300");
    TlxListEntry entries[TLX_REPLY_LINES] {};
    ASSERT_EQ(parseTelList(store, entries), 4);
    EXPECT_STREQ(entries[0].key, "0001");
    EXPECT_STREQ(entries[0].number, "0312345678");
    EXPECT_EQ(entries[0].attribute1, 1);
    EXPECT_EQ(entries[0].attribute2, 2);
    EXPECT_STREQ(entries[1].number, "03 123456789");
    EXPECT_EQ(std::strlen(entries[1].number), 12u);
    EXPECT_EQ(entries[1].attribute1, -1);
    EXPECT_EQ(entries[1].attribute2, 127);
    EXPECT_STREQ(entries[2].number, "03 123456789");
    EXPECT_EQ(entries[2].attribute1, 5);
    EXPECT_EQ(entries[2].attribute2, 0);
    EXPECT_STREQ(entries[3].key, "K0123456789012345678901");
    EXPECT_STREQ(entries[3].number, "012345678901234567890");
    EXPECT_EQ(entries[3].attribute1, 44);
    EXPECT_EQ(entries[3].attribute2, -44);

    store.clear();
    store.add("L 0001 10 0312345678 1 2");
    store.add("ONLYONE");
    EXPECT_EQ(parseTelList(store, entries), 0);
}

TEST(AdapterReplies, StateLine)
{
    TlxState state {};
    EXPECT_TRUE(parseState("STAT V1.02 K5-12345 7\r", state));
    EXPECT_STREQ(state.first, "V1.02");
    EXPECT_STREQ(state.second, "K5-12345");
    EXPECT_EQ(state.value, 7);
    EXPECT_TRUE(parseState("STAT LONGER123 ABCDEFGHIJKL 300", state));
    EXPECT_STREQ(state.first, "LONGE");
    EXPECT_STREQ(state.second, "ABCDEFGH");
    EXPECT_EQ(state.value, 300 & 0xFF);
    EXPECT_FALSE(parseState("STAT V1.02 K5", state));
    EXPECT_FALSE(parseState("", state));
}

TEST(AdapterReplies, StoreKeepsFiftyLines)
{
    ReplyStore store;
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(store.add(std::to_string(i).c_str()), i < 50);
    EXPECT_EQ(store.count(), 50u);
    EXPECT_STREQ(store.line(49), "49");
}

TEST(AdapterNotices, FormsAndDroppedLines)
{
    struct Case {
        const char* line;
        bool accepted;
        const char* number;
        const char* date;
        const char* time;
        const char* fourth;
        const char* fifth;
        int form;
    };
    const Case cases[] = {
        {"INFO 0312345678 12-09 10:30/C\r", true, "0312345678", "12-09", "10:30", "", "", 0},
        {"INFO 0312345678 12-09 10:30 C", true, "0312345678", "12-09", "10:30", "", "", 0},
        {"INFO 0312345678 12-09 10:30/AB/CD/D\r", true, "0312345678", "12-09", "10:30", "AB", "CD", 1},
        {"INFO 0312345678 12-09 10:30/ABXYZFGH/X/DD", true, "0312345678", "12-09", "10:30", "ABXYZ", "X", 1},
        {"INFO 0312345678 12-09 10:30/AB/CD/E", false, "", "", "", "", "", 0},
        {"INFO 0312345678 12-09 10:30/AB/CD", false, "", "", "", "", "", 0},
        {"INFO 0312345678 12-09 10:30", false, "", "", "", "", "", 0},
        {"INFO 0312345678", false, "", "", "", "", "", 0},
        {"", false, "", "", "", "", "", 0},
        {"OK\r", false, "", "", "", "", "", 0},
    };
    for (const Case& c : cases) {
        TlxCallNotice notice;
        std::memset(&notice, 0x7F, sizeof notice);
        EXPECT_EQ(parseNotice(c.line, notice), c.accepted) << c.line;
        EXPECT_STREQ(notice.number, c.number) << c.line;
        EXPECT_STREQ(notice.date, c.date) << c.line;
        EXPECT_STREQ(notice.time, c.time) << c.line;
        EXPECT_STREQ(notice.fourth, c.fourth) << c.line;
        EXPECT_STREQ(notice.fifth, c.fifth) << c.line;
        EXPECT_EQ(notice.form, c.form) << c.line;
    }
}

TEST(AdapterCommands, StringTableAndFormatting)
{
    const char* expected[] = {"LATE", "HIS", "CLR", "LIS", "DEL %s", "SET %s %02d %s %d %d",
                              "DATE %02d-%02d-%02d", "TIME %02d:%02d:%02d", "STAT", "CRCS %d", "INFO %d", "INFC"};
    for (int id = 1; id <= 12; ++id)
        EXPECT_STREQ(commandFormat(static_cast<Command>(id)), expected[id - 1]);
    EXPECT_EQ(formatCommand(Command::Set, "K1", 5, "12 34", 1, -2), "SET K1 05 12 34 1 -2");
    EXPECT_EQ(formatCommand(Command::Date, 26, 1, 9), "DATE 26-01-09");
    const std::string longKey(400, 'k');
    EXPECT_EQ(formatCommand(Command::Delete, longKey.c_str()).size(), kMaxCommandText);
}
