#include "common/platform/X11Keyboard.h"

#if defined(__unix__) && __has_include(<X11/XKBlib.h>)
#  define KV_HAVE_X11_HEADERS 1
#  include <X11/XKBlib.h>
#  include <X11/Xlib.h>
#  include <X11/keysym.h>
#  include <dlfcn.h>
#  include <cstdlib>
#  include <type_traits>
#endif

namespace kv::platform {

#if defined(KV_HAVE_X11_HEADERS)
namespace {

// Only the headers' types are used; every function comes through dlsym.
struct Xlib {
    Display* (*openDisplay)(const char*) = nullptr;
    int (*closeDisplay)(Display*) = nullptr;
    int (*sync)(Display*, Bool) = nullptr;
    Status (*getState)(Display*, unsigned int, XkbStatePtr) = nullptr;
    Bool (*lockModifiers)(Display*, unsigned int, unsigned int, unsigned int) = nullptr;
    unsigned int (*keysymToModifiers)(Display*, KeySym) = nullptr;

    bool complete() const
    {
        return openDisplay && closeDisplay && sync && getState && lockModifiers
               && keysymToModifiers;
    }
};

// Loaded once and kept: unloading libX11 while Qt's own xcb connection may
// share it is not worth the risk.
const Xlib* xlib()
{
    static const Xlib loaded = [] {
        Xlib lib;
        void* handle = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return lib;
        const auto bind = [handle](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, name));
        };
        bind(lib.openDisplay, "XOpenDisplay");
        bind(lib.closeDisplay, "XCloseDisplay");
        bind(lib.sync, "XSync");
        bind(lib.getState, "XkbGetState");
        bind(lib.lockModifiers, "XkbLockModifiers");
        bind(lib.keysymToModifiers, "XkbKeysymToModifiers");
        return lib;
    }();
    return loaded.complete() ? &loaded : nullptr;
}

class DisplayConnection {
public:
    explicit DisplayConnection(const Xlib& lib)
        : m_lib(lib)
    {
        const char* name = std::getenv("DISPLAY");
        if (name && *name)
            m_display = lib.openDisplay(nullptr);
    }
    ~DisplayConnection()
    {
        if (m_display)
            m_lib.closeDisplay(m_display);
    }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    Display* get() const { return m_display; }

private:
    const Xlib& m_lib;
    Display* m_display = nullptr;
};

unsigned int modifierOf(const Xlib& lib, Display* display, LockKey key)
{
    if (key == LockKey::CapsLock)
        return LockMask;
    return lib.keysymToModifiers(display, XK_Num_Lock);
}

} // namespace

bool X11Keyboard::setLock(LockKey key, bool on)
{
    const Xlib* lib = xlib();
    if (!lib)
        return false;
    DisplayConnection connection(*lib);
    Display* display = connection.get();
    if (!display)
        return false;
    const unsigned int mask = modifierOf(*lib, display, key);
    XkbStateRec state{};
    if (mask == 0 || lib->getState(display, XkbUseCoreKbd, &state) != Success)
        return false;
    const bool isOn = (state.locked_mods & mask) != 0;
    if (isOn != on) {
        if (!lib->lockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0))
            return false;
        lib->sync(display, False);
    }
    return true;
}

std::optional<bool> X11Keyboard::lockState(LockKey key)
{
    const Xlib* lib = xlib();
    if (!lib)
        return std::nullopt;
    DisplayConnection connection(*lib);
    Display* display = connection.get();
    if (!display)
        return std::nullopt;
    const unsigned int mask = modifierOf(*lib, display, key);
    XkbStateRec state{};
    if (mask == 0 || lib->getState(display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    return (state.locked_mods & mask) != 0;
}

#else

bool X11Keyboard::setLock(LockKey, bool)
{
    return false;
}

std::optional<bool> X11Keyboard::lockState(LockKey)
{
    return std::nullopt;
}

#endif

} // namespace kv::platform
