#include "unzip/Crc32.h"

#include <array>

#include "unzip/ByteOrder.h"

namespace unzip {

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

// Eight tables for slicing-by-8: table k gives the CRC contribution of a byte that is
// followed by k more bytes, so eight input bytes are folded in with eight lookups.
using SliceTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr SliceTables MakeTables() {
    SliceTables tables{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? kPolynomial : 0);
        tables[0][byte] = crc;
    }
    for (int k = 1; k < 8; ++k)
        for (uint32_t byte = 0; byte < 256; ++byte)
            tables[k][byte] = (tables[k - 1][byte] >> 8) ^ tables[0][tables[k - 1][byte] & 0xFF];
    return tables;
}

constexpr SliceTables kTables = MakeTables();

using Update = uint32_t (*)(uint32_t, const void*, size_t);

uint32_t UpdateFoldedOrSliced(uint32_t crc, const void* data, size_t length) {
    UpdateCrc32Folded(crc, data, length);
    return crc;
}

Update ChooseUpdate() {
    uint32_t probe = kCrcStart;
    return UpdateCrc32Folded(probe, nullptr, 0) ? UpdateFoldedOrSliced : UpdateCrc32Sliced;
}

}  // namespace

uint32_t UpdateCrc32Sliced(uint32_t crc, const void* data, size_t length) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (length >= 8) {
        const uint32_t low = Little32(p) ^ crc;
        const uint32_t high = Little32(p + 4);
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
              kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^
              kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
              kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
        p += 8;
        length -= 8;
    }
    while (length--) crc = (crc >> 8) ^ kTables[0][(crc ^ *p++) & 0xFF];
    return crc;
}

uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t length) {
    static const Update update = ChooseUpdate();
    return update(crc, data, length);
}

}  // namespace unzip
