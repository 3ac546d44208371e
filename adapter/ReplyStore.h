#pragma once

#include <array>
#include <cstddef>

namespace tlx {

// The lines of one list or history reply, in arrival order. Lines beyond
// kLines are not kept.
class ReplyStore {
public:
    static constexpr std::size_t kLines = 50;
    static constexpr std::size_t kLineBytes = 256;

    void clear() { m_count = 0; }
    // False when the store is full and the line was dropped.
    bool add(const char* line);
    std::size_t count() const { return m_count; }
    const char* line(std::size_t index) const { return m_lines[index].data(); }

private:
    std::array<std::array<char, kLineBytes>, kLines> m_lines {};
    std::size_t m_count = 0;
};

} // namespace tlx
