// Runs one decoder on bytes in memory, as a member extraction would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/unzip/MemoryFile.h"
#include "unzip/Decoders.h"
#include "unzip/MemberContext.h"

namespace unzip_test {

struct Decoded {
    int32_t result = 0;
    std::string output;
    uint32_t crc = 0;  // finished CRC-32 of everything written
    std::vector<int64_t> writeSizes;
};

struct DecodeSetup {
    int64_t compressedSize = -1;  // -1: the size of the input
    int64_t uncompressedSize = 0;
    uint16_t flags = 0;
    int64_t failWritesAfter = -1;
    int32_t notifyId = 0;
};

inline Decoded RunDecoder(int method, const std::string& input, const DecodeSetup& setup) {
    MemoryFile archive(input), output;
    if (setup.failWritesAfter >= 0) output.FailWritesAfter(setup.failWritesAfter);
    unzip::MemberContext member;
    member.archive = &archive;
    member.output = &output;
    member.compressedSize = setup.compressedSize >= 0 ? setup.compressedSize : int64_t(input.size());
    member.uncompressedSize = setup.uncompressedSize;
    member.flags = setup.flags;
    member.notifyId = setup.notifyId;
    Decoded decoded;
    switch (method) {
        case 1: decoded.result = unzip::Unshrink(member); break;
        case 6: decoded.result = unzip::Explode(member); break;
        default: decoded.result = unzip::Inflate(member); break;
    }
    decoded.output = output.Bytes();
    decoded.crc = ~member.crc;
    decoded.writeSizes = output.WriteSizes();
    return decoded;
}

// Inflates the input twice: declared large (fast tables, pairs of literals) and declared
// small (the careful step alone). Both must come to the same result, bytes and writes.
inline Decoded Inflated(const std::string& input) {
    DecodeSetup large;
    large.uncompressedSize = unzip::kUnknownSize;
    const Decoded fast = RunDecoder(8, input, large);
    const Decoded careful = RunDecoder(8, input, {});
    EXPECT_EQ(fast.result, careful.result);
    EXPECT_TRUE(fast.output == careful.output) << "the two ways decode different bytes";
    EXPECT_EQ(fast.crc, careful.crc);
    EXPECT_EQ(fast.writeSizes, careful.writeSizes);
    return fast;
}

}  // namespace unzip_test
