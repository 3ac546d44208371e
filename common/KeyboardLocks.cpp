#include "common/KVCommon.h"
#include "common/platform/X11Keyboard.h"

// Without an X display there is no keyboard state to change; the request is
// then dropped, as nothing depends on it.

extern "C" {

void SetNumLock(int on)
{
    kv::platform::X11Keyboard::setLock(kv::platform::LockKey::NumLock, on != 0);
}

void SetCapsLock(int on)
{
    kv::platform::X11Keyboard::setLock(kv::platform::LockKey::CapsLock, on != 0);
}

} // extern "C"
