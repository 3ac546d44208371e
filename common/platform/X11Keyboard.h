#pragma once

#include <optional>

namespace kv::platform {

enum class LockKey { NumLock, CapsLock };

// Keyboard lock toggles of the X display named by DISPLAY. libX11 is loaded
// at run time, so the library runs (and does nothing here) where there is
// no X at all.
class X11Keyboard {
public:
    // Sets the toggle when it differs from on; false when there is no
    // display, no libX11 or no modifier for the key.
    static bool setLock(LockKey key, bool on);
    // The toggle, or nothing when it cannot be read.
    static std::optional<bool> lockState(LockKey key);
};

} // namespace kv::platform
