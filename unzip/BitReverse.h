// Prefix codes are sent from their highest bit and looked up from the lowest, so each
// code is reversed once when its table is built.
#pragma once

#include <array>
#include <cstdint>

namespace unzip {

namespace bit_reverse_detail {
constexpr std::array<uint8_t, 256> MakeReversedBytes() {
    std::array<uint8_t, 256> reversed{};
    for (uint32_t byte = 0; byte < 256; ++byte)
        for (uint32_t bit = 0; bit < 8; ++bit) reversed[byte] |= uint8_t(((byte >> bit) & 1) << (7 - bit));
    return reversed;
}
inline constexpr std::array<uint8_t, 256> kReversedBytes = MakeReversedBytes();
}  // namespace bit_reverse_detail

// The `length` (1 to 16) low bits of `code` in the opposite order.
inline uint32_t ReverseCode(uint32_t code, uint32_t length) {
    using bit_reverse_detail::kReversedBytes;
    return (uint32_t(kReversedBytes[code & 0xFF]) << 8 | kReversedBytes[(code >> 8) & 0xFF]) >>
           (16 - length);
}

}  // namespace unzip
