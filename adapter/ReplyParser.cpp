#include "adapter/ReplyParser.h"

#include "adapter/FieldSplitter.h"
#include "adapter/ReplyStore.h"
#include "adapter/TextField.h"

#include <cstring>
#include <string>

namespace tlx {

namespace {
constexpr const char* kReplyDelimiters = " ";

bool contains(const char* line, const char* word)
{
    return line && std::strstr(line, word) != nullptr;
}

enum class EntryParse { Filled, NoFirstField, NoKey };

EntryParse parseListEntry(const char* line, TlxListEntry& entry)
{
    FieldSplitter fields(line, kReplyDelimiters);
    if (!fields.next())
        return EntryParse::NoFirstField;
    const auto key = fields.next();
    if (!key)
        return EntryParse::NoKey;
    const auto length = fields.next();
    const auto number = fields.next();
    std::string joined(number.value_or(std::string_view()));
    // A number with a blank in it arrives as two fields; its stated length tells.
    const auto stated = parseDecimal(length.value_or(std::string_view()));
    if (static_cast<std::int64_t>(joined.size()) != stated.value_or(0)) {
        if (const auto tail = fields.next()) {
            joined += ' ';
            joined.append(*tail);
        }
    }
    const auto first = fields.next();
    const auto second = fields.next();
    copyField(entry.key, *key);
    copyField(entry.number, joined);
    const auto asAttribute = [](std::optional<std::string_view> field) {
        const std::int32_t value = parseDecimal(field.value_or(std::string_view())).value_or(0);
        return static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFF));
    };
    entry.attribute1 = asAttribute(first);
    entry.attribute2 = asAttribute(second);
    return EntryParse::Filled;
}
} // namespace

bool isOkLine(const char* line)
{
    return contains(line, "OK");
}

bool isErrorLine(const char* line)
{
    return contains(line, "ERROR");
}

std::int32_t deviceErrorCode(const char* line)
{
    FieldSplitter fields(line, kReplyDelimiters);
    fields.next();
    const auto number = fields.next();
    if (!number)
        return TLX_ERR_NONE;
    switch (parseDecimal(*number).value_or(-1)) {
    case 0: return TLX_ERR_DEVICE_0;
    case 1: return TLX_ERR_DEVICE_1;
    case 2: return TLX_ERR_DEVICE_2;
    case 3: return TLX_ERR_DEVICE_3;
    case 4: return TLX_ERR_DEVICE_4;
    case 5: return TLX_ERR_DEVICE_5;
    default: return TLX_ERR_NONE;
    }
}

RecordParse parseCallRecord(const char* line, TlxCallRecord& record)
{
    FieldSplitter fields(line, kReplyDelimiters);
    const auto first = fields.next();
    if (!first)
        return RecordParse::MissingField;
    copyField(record.number, {});
    copyField(record.date, {});
    copyField(record.time, {});
    if (first->find("/C") != std::string_view::npos)
        return RecordParse::NoCall;
    const auto number = fields.next();
    if (!number)
        return RecordParse::MissingField;
    copyField(record.number, *number);
    const auto date = fields.next();
    if (!date)
        return RecordParse::MissingField;
    copyField(record.date, *date);
    const auto time = fields.next();
    if (!time)
        return RecordParse::MissingField;
    copyField(record.time, time->substr(0, time->find('/')));
    return RecordParse::Filled;
}

std::int32_t parseHistory(const ReplyStore& store, TlxCallRecord* records)
{
    for (std::size_t i = 0; i < store.count(); ++i) {
        // A line with a missing field keeps what it filled; the rest still count.
        if (parseCallRecord(store.line(i), records[i]) == RecordParse::NoCall)
            return 0;
    }
    return static_cast<std::int32_t>(store.count());
}

std::int32_t parseTelList(const ReplyStore& store, TlxListEntry* entries)
{
    for (std::size_t i = 0; i < store.count(); ++i) {
        if (parseListEntry(store.line(i), entries[i]) == EntryParse::NoKey)
            return 0;
    }
    return static_cast<std::int32_t>(store.count());
}

bool parseState(const char* line, TlxState& state)
{
    std::memset(&state, 0, sizeof state);
    FieldSplitter fields(line, kReplyDelimiters);
    if (!fields.next())
        return false;
    const auto first = fields.next();
    if (!first)
        return false;
    copyField(state.first, *first);
    const auto second = fields.next();
    if (!second)
        return false;
    copyField(state.second, *second);
    const auto value = fields.next();
    if (!value)
        return false;
    state.value = static_cast<std::uint8_t>(parseDecimal(*value).value_or(0) & 0xFF);
    return true;
}

} // namespace tlx
