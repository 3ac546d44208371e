#pragma once

#include <cstddef>
#include <cstdint>

namespace tlx {

// Check value of a CRC frame: reflected polynomial 0x8408, initial value 0,
// no final exclusive-or. On the wire the low byte comes first.
std::uint16_t crc16Kermit(const std::uint8_t* bytes, std::size_t length);

} // namespace tlx
