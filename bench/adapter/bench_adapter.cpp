// What the protocol costs per line, against the line's own pace: at 4800 baud
// a 40-byte line takes about 83 ms to arrive.
#include "adapter/Crc16Kermit.h"
#include "adapter/FrameReader.h"
#include "adapter/NoticeParser.h"
#include "adapter/ReplyParser.h"
#include "adapter/ReplyStore.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string crcFrame(const std::string& text)
{
    const auto crc = tlx::crc16Kermit(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return "\x02" + text + "\x03" + char(crc & 0xFF) + char(crc >> 8);
}

void frameReaderCrcLine(benchmark::State& state)
{
    const std::string bytes = crcFrame("INFO 0312345678 12-09 10:30/AB/CD/D\r\n");
    tlx::FrameReader reader(true);
    for (auto _ : state) {
        reader.reset();
        for (const char c : bytes)
            benchmark::DoNotOptimize(reader.feed(static_cast<std::uint8_t>(c)));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(frameReaderCrcLine);

void noticeParse(benchmark::State& state)
{
    TlxCallNotice notice;
    for (auto _ : state)
        benchmark::DoNotOptimize(tlx::parseNotice("INFO 0312345678 12-09 10:30/AB/CD/D\r", notice));
}
BENCHMARK(noticeParse);

void fullListParse(benchmark::State& state)
{
    tlx::ReplyStore store;
    for (int i = 0; i < 50; ++i)
        store.add(("LIS K" + std::to_string(i) + " 12 03 123456789 1 2").c_str());
    TlxListEntry entries[TLX_REPLY_LINES];
    for (auto _ : state)
        benchmark::DoNotOptimize(tlx::parseTelList(store, entries));
}
BENCHMARK(fullListParse);

} // namespace

BENCHMARK_MAIN();
