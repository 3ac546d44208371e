#pragma once

namespace kv::data {

// Puts held settings back as they were unless the change to them was saved,
// so that a failed or refused write never leaves this computer working with
// values (a tax rate, a rounding rule) that the file does not hold.
template <class Settings>
class UnsavedChangeGuard {
public:
    explicit UnsavedChangeGuard(Settings& held)
        : m_held(held)
        , m_before(held)
    {
    }
    ~UnsavedChangeGuard()
    {
        if (!m_saved)
            m_held = m_before;
    }
    UnsavedChangeGuard(const UnsavedChangeGuard&) = delete;
    UnsavedChangeGuard& operator=(const UnsavedChangeGuard&) = delete;

    // Keeps the change; returns `written` so a save can be passed through.
    bool keepIf(bool written)
    {
        m_saved = written;
        return written;
    }

private:
    Settings& m_held;
    Settings m_before;
    bool m_saved = false;
};

} // namespace kv::data
