// Writes ZIP archives byte by byte from member descriptions, for tests: members of any
// method with data compressed elsewhere, data descriptors with or without signature,
// and headers that lie on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace oldzip {

enum class Descriptor { None, WithoutSignature, WithSignature };

struct ZipMember {
    std::string name;
    uint16_t method = 0;
    uint16_t flags = 0;
    std::string data;            // the member's bytes as stored (compressed)
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t dosTime = 0x6000;   // 12:00:00
    uint16_t dosDate = 0x5A21;   // 2025-01-01
    Descriptor descriptor = Descriptor::None;
    uint8_t hostSystem = 0;      // 0 MS-DOS, 3 Unix
    uint8_t externalAttributes = 0x20;
    std::string extra;
    std::string comment;
};

// A member whose content is stored or was compressed with `method` to `compressed`.
ZipMember StoredMember(const std::string& name, const std::string& content);
ZipMember PackedMember(const std::string& name, uint16_t method, uint16_t flags,
                       const std::string& compressed, const std::string& content);
ZipMember ShrunkMember(const std::string& name, const std::string& content);
ZipMember ImplodedMember(const std::string& name, const std::string& content, bool dictionary8K,
                         bool literalTree);

struct ZipLayout {
    std::string prefix;          // bytes before the first local header
    std::string archiveComment;
};

std::string WriteZip(const std::vector<ZipMember>& members, const ZipLayout& layout = {});

// Where WriteZip put each member's local header, and the directory.
struct ZipOffsets {
    std::vector<uint32_t> localHeaders;
    uint32_t directory = 0;
    uint32_t endRecord = 0;
};
std::string WriteZip(const std::vector<ZipMember>& members, const ZipLayout& layout,
                     ZipOffsets* offsets);

}  // namespace oldzip
