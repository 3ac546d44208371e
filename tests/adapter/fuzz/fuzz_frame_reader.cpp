// libFuzzer target: any bytes off the line, in either framing, through the
// frame reader and on into the reply parsers.
#include "adapter/FrameReader.h"
#include "adapter/ReplyParser.h"
#include "adapter/ReplyStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    tlx::FrameReader reader((data[0] & 1) != 0);
    tlx::ReplyStore store;
    for (std::size_t i = 1; i < size; ++i) {
        const auto result = reader.feed(data[i]);
        if (result == tlx::FrameReader::Result::NeedMore)
            continue;
        if (std::strlen(reader.line()) > tlx::FrameReader::kMaxBytes)
            std::abort();
        if (result == tlx::FrameReader::Result::Line) {
            TlxCallRecord record;
            tlx::parseCallRecord(reader.line(), record);
            TlxState state;
            tlx::parseState(reader.line(), state);
            tlx::deviceErrorCode(reader.line());
            store.add(reader.line());
        }
        reader.reset();
    }
    TlxListEntry entries[TLX_REPLY_LINES];
    TlxCallRecord records[TLX_REPLY_LINES];
    if (tlx::parseTelList(store, entries) > TLX_REPLY_LINES || tlx::parseHistory(store, records) > TLX_REPLY_LINES)
        std::abort();
    return 0;
}
