// CRC-32 of the ZIP format (reflected polynomial EDB88320 hex). The register is passed
// in and out without the final inversion, so a caller starts at FFFFFFFF hex, feeds the
// data in as many pieces as it likes and inverts the result once at the end.
#pragma once

#include <cstddef>
#include <cstdint>

namespace unzip {

constexpr uint32_t kCrcStart = 0xFFFFFFFFu;

// Chooses, once, the fastest way the processor offers (carry-less multiplication where
// it has it, eight table lookups per eight bytes everywhere else).
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t length);

// The two ways, each on its own, so that tests can hold them against each other.
uint32_t UpdateCrc32Sliced(uint32_t crc, const void* data, size_t length);
// False when the processor has no carry-less multiplication; `crc` is then unchanged.
bool UpdateCrc32Folded(uint32_t& crc, const void* data, size_t length);

// The finished CRC-32 of one buffer.
inline uint32_t Crc32Of(const void* data, size_t length) {
    return ~UpdateCrc32(kCrcStart, data, length);
}

}  // namespace unzip
