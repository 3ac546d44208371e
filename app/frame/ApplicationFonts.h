#pragma once

namespace kv::app {

// The forms name the fonts of the shops' usual desktop; the IPA fonts stand
// in for them, and the program's own font is the proportional gothic.
class ApplicationFonts {
public:
    static void install();
};

} // namespace kv::app
