#include "tests/support/oldzip/ZipWriter.h"

#include "tests/support/oldzip/ImplodeEncoder.h"
#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/support/oldzip/ShrinkEncoder.h"

namespace oldzip {

namespace {

void Put16(std::string& out, uint32_t value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

ZipMember StoredMember(const std::string& name, const std::string& content) {
    return PackedMember(name, 0, 0, content, content);
}

ZipMember PackedMember(const std::string& name, uint16_t method, uint16_t flags,
                       const std::string& compressed, const std::string& content) {
    ZipMember member;
    member.name = name;
    member.method = method;
    member.flags = flags;
    member.data = compressed;
    member.crc = ReferenceCrc32(content);
    member.compressedSize = uint32_t(compressed.size());
    member.uncompressedSize = uint32_t(content.size());
    return member;
}

ZipMember ShrunkMember(const std::string& name, const std::string& content) {
    return PackedMember(name, 1, 0, Shrink(content).compressed, content);
}

ZipMember ImplodedMember(const std::string& name, const std::string& content, bool dictionary8K,
                         bool literalTree) {
    ImplodeOptions options;
    options.dictionary8K = dictionary8K;
    options.literalTree = literalTree;
    ImplodeResult result = Implode(content, options);
    return PackedMember(name, 6, result.flags, result.compressed, content);
}

std::string WriteZip(const std::vector<ZipMember>& members, const ZipLayout& layout) {
    return WriteZip(members, layout, nullptr);
}

std::string WriteZip(const std::vector<ZipMember>& members, const ZipLayout& layout,
                     ZipOffsets* offsets) {
    std::string out = layout.prefix;
    std::vector<uint32_t> localOffsets;
    for (const ZipMember& m : members) {
        localOffsets.push_back(uint32_t(out.size()));
        const bool trailing = m.descriptor != Descriptor::None;
        const uint16_t flags = uint16_t(m.flags | (trailing ? 8 : 0));
        Put32(out, 0x04034B50);
        Put16(out, 20);
        Put16(out, flags);
        Put16(out, m.method);
        Put16(out, m.dosTime);
        Put16(out, m.dosDate);
        Put32(out, trailing ? 0 : m.crc);
        Put32(out, trailing ? 0 : m.compressedSize);
        Put32(out, trailing ? 0 : m.uncompressedSize);
        Put16(out, uint32_t(m.name.size()));
        Put16(out, uint32_t(m.extra.size()));
        out += m.name;
        out += m.extra;
        out += m.data;
        if (trailing) {
            if (m.descriptor == Descriptor::WithSignature) Put32(out, 0x08074B50);
            Put32(out, m.crc);
            Put32(out, m.compressedSize);
            Put32(out, m.uncompressedSize);
        }
    }
    const uint32_t directory = uint32_t(out.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const ZipMember& m = members[i];
        const bool trailing = m.descriptor != Descriptor::None;
        Put32(out, 0x02014B50);
        Put16(out, uint32_t(m.hostSystem) << 8 | 20);
        Put16(out, 20);
        Put16(out, uint16_t(m.flags | (trailing ? 8 : 0)));
        Put16(out, m.method);
        Put16(out, m.dosTime);
        Put16(out, m.dosDate);
        Put32(out, m.crc);
        Put32(out, m.compressedSize);
        Put32(out, m.uncompressedSize);
        Put16(out, uint32_t(m.name.size()));
        Put16(out, uint32_t(m.extra.size()));
        Put16(out, uint32_t(m.comment.size()));
        Put16(out, 0);  // disk number
        Put16(out, 0);  // internal attributes
        Put32(out, m.externalAttributes);
        Put32(out, localOffsets[i]);
        out += m.name;
        out += m.extra;
        out += m.comment;
    }
    const uint32_t endRecord = uint32_t(out.size());
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(members.size()));
    Put16(out, uint32_t(members.size()));
    Put32(out, endRecord - directory);
    Put32(out, directory);
    Put16(out, uint32_t(layout.archiveComment.size()));
    out += layout.archiveComment;
    if (offsets) *offsets = {localOffsets, directory, endRecord};
    return out;
}

}  // namespace oldzip
