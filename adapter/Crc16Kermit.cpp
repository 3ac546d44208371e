#include "adapter/Crc16Kermit.h"

namespace tlx {

std::uint16_t crc16Kermit(const std::uint8_t* bytes, std::size_t length)
{
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

} // namespace tlx
