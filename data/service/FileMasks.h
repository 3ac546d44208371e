#pragma once

#include <QtGlobal>

namespace kv::data {

// The masks the shared lock and counter files are stored with, so that their
// content is not plain to read in the data folder.
inline constexpr quint8 kNameMask = 0x6B;
inline constexpr quint32 kCodeMask = 0x5B3E91A7u;

inline qint32 maskedCode(qint32 code)
{
    return static_cast<qint32>(static_cast<quint32>(code) ^ kCodeMask);
}

} // namespace kv::data
