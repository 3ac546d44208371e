#pragma once

namespace kv {

// The keyboard's lock indicators where the platform tells them (the X
// display named by DISPLAY, through libX11 loaded at run time); all off
// elsewhere.
class KeyboardIndicators {
public:
    struct State {
        bool kana = false;
        bool capsLock = false;
        bool numLock = false;
        bool scrollLock = false;
    };
    static State current();
};

} // namespace kv
