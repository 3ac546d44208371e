#pragma once

#include <QString>

namespace kv::test {

// A UTF-8 literal of the tests (the sources are UTF-8) as a QString.
inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace kv::test
