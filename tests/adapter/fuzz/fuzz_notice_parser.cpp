// libFuzzer target: any text as a call notice line.
#include "adapter/NoticeParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char> line(data, data + size);
    line.push_back('\0');
    TlxCallNotice notice;
    const bool accepted = tlx::parseNotice(line.data(), notice);
    const bool terminated = std::memchr(notice.number, 0, sizeof notice.number) && std::memchr(notice.date, 0, 6)
        && std::memchr(notice.time, 0, 6) && std::memchr(notice.fourth, 0, 6) && std::memchr(notice.fifth, 0, 6);
    if (!terminated || notice.form > 1 || (!accepted && notice.number[0] != '\0'))
        std::abort();
    return 0;
}
