// CRC-32 of the ZIP format, bit by bit: slow, obvious, and independent of the engine's.
#pragma once

#include <cstdint>
#include <string_view>

namespace oldzip {

inline uint32_t ReferenceCrc32(std::string_view data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

}  // namespace oldzip
