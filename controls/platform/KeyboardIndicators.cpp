#include "controls/platform/KeyboardIndicators.h"

#if defined(__unix__) && __has_include(<X11/XKBlib.h>)
#  define KV_HAVE_X11_HEADERS 1
#  include <X11/XKBlib.h>
#  include <X11/Xlib.h>
#  include <dlfcn.h>
#  include <cstdlib>
#  include <type_traits>
#endif

namespace kv {

#if defined(KV_HAVE_X11_HEADERS)
namespace {

struct IndicatorLib {
    Display* (*openDisplay)(const char*) = nullptr;
    Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
    Bool (*getNamedIndicator)(Display*, Atom, int*, Bool*, XkbIndicatorMapPtr, Bool*) = nullptr;
    Display* display = nullptr;
    Atom kana = 0, caps = 0, num = 0, scroll = 0;
};

// One connection for the life of the process; the indicators are read on
// every key press.
const IndicatorLib* indicatorLib()
{
    static const IndicatorLib loaded = [] {
        IndicatorLib lib;
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return lib;
        void* handle = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return lib;
        const auto bind = [handle](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                dlsym(handle, symbol));
        };
        bind(lib.openDisplay, "XOpenDisplay");
        bind(lib.internAtom, "XInternAtom");
        bind(lib.getNamedIndicator, "XkbGetNamedIndicator");
        if (!lib.openDisplay || !lib.internAtom || !lib.getNamedIndicator)
            return lib;
        lib.display = lib.openDisplay(nullptr);
        if (!lib.display)
            return lib;
        lib.kana = lib.internAtom(lib.display, "Kana", False);
        lib.caps = lib.internAtom(lib.display, "Caps Lock", False);
        lib.num = lib.internAtom(lib.display, "Num Lock", False);
        lib.scroll = lib.internAtom(lib.display, "Scroll Lock", False);
        return lib;
    }();
    return loaded.display ? &loaded : nullptr;
}

bool indicatorOn(const IndicatorLib& lib, Atom atom)
{
    Bool on = False;
    if (!lib.getNamedIndicator(lib.display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on == True;
}

} // namespace

KeyboardIndicators::State KeyboardIndicators::current()
{
    State state;
    const IndicatorLib* lib = indicatorLib();
    if (!lib)
        return state;
    state.kana = indicatorOn(*lib, lib->kana);
    state.capsLock = indicatorOn(*lib, lib->caps);
    state.numLock = indicatorOn(*lib, lib->num);
    state.scrollLock = indicatorOn(*lib, lib->scroll);
    return state;
}
#else
KeyboardIndicators::State KeyboardIndicators::current()
{
    return {};
}
#endif

} // namespace kv
