#pragma once

#include <functional>

namespace kv::masters {

// The edit lock of the code a window shows: claiming a code gives up the
// one held before (the store's lock is one per computer), code 0 holds
// nothing, and the code held is remembered until it is given up. How the
// store claims and releases is the window's: a release that reports false
// keeps the code as held, so the window can say so and stay open.
class ShownCodeLock {
public:
    ShownCodeLock(std::function<bool(int code)> claim, std::function<bool()> release);

    // False when another computer holds the code; the code held before
    // is then still remembered.
    bool claim(int code);
    // True when nothing is held any more.
    bool release();
    // The code held, 0 for none.
    int code() const { return m_code; }

private:
    std::function<bool(int)> m_claim;
    std::function<bool()> m_release;
    int m_code = 0;
};

} // namespace kv::masters
