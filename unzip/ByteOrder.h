// Little-endian field access for archive records and the decoders' bit input.
#pragma once

#include <cstdint>
#include <cstring>

namespace unzip {

inline uint16_t Little16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

inline uint32_t Little32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint64_t Little64(const uint8_t* p) {
    uint64_t value;
    std::memcpy(&value, p, sizeof value);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    value = __builtin_bswap64(value);
#endif
    return value;
}

// Record signatures: "PK" followed by two bytes.
constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr uint32_t kDataDescriptorSignature = 0x08074B50;

}  // namespace unzip
