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
    bool narrowFastLoop = false;
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
    member.narrowFastLoop = setup.narrowFastLoop;
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

// Inflates the input three ways: declared large (fast tables, pairs of literals), with the
// fast loop's bits in 64 and in 32 bits, and declared small (the careful step alone). All
// must come to the same result, bytes and writes.
inline Decoded Inflated(const std::string& input) {
    DecodeSetup large;
    large.uncompressedSize = unzip::kUnknownSize;
    const Decoded fast = RunDecoder(8, input, large);
    large.narrowFastLoop = true;
    const Decoded narrow = RunDecoder(8, input, large);
    const Decoded careful = RunDecoder(8, input, {});
    for (const Decoded* way : {&fast, &narrow}) {
        const char* name = way == &fast ? "the 64-bit fast loop" : "the 32-bit fast loop";
        EXPECT_EQ(way->result, careful.result) << name;
        EXPECT_TRUE(way->output == careful.output) << name << " and the careful step decode different bytes";
        EXPECT_EQ(way->crc, careful.crc) << name;
        EXPECT_EQ(way->writeSizes, careful.writeSizes) << name;
    }
    return fast;
}

}  // namespace unzip_test
