// One decoder on arbitrary input, chosen at build time (FUZZ_METHOD 1, 6 or 8). The first
// two bytes choose the flags and the declared uncompressed size, as a local header would.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/unzip/FuzzMachine.h"
#include "tests/unit/unzip/MemoryFile.h"
#include "unzip/Decoders.h"
#include "unzip/MemberContext.h"
#include "unzip/ZipCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    unzip_fuzz::FuzzMachine::Get();
    if (size < 2) return 0;
    const uint16_t flags = uint16_t(data[0] & 0x0F);
    const int64_t uncompressed = int64_t(data[1]) * 997;
    unzip_test::MemoryFile archive(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
    unzip_test::MemoryFile output;
    unzip::MemberContext member;
    member.archive = &archive;
    member.output = &output;
    member.compressedSize = int64_t(size - 2);
    member.uncompressedSize = uncompressed;
    member.flags = flags;
    member.narrowFastLoop = (data[0] & 0x10) != 0;  // inflate's fast loop in 32 or 64 bits
    int32_t result;
#if FUZZ_METHOD == 1
    result = unzip::Unshrink(member);
#elif FUZZ_METHOD == 6
    result = unzip::Explode(member);
#else
    result = unzip::Inflate(member);
#endif
    const bool known = result == unzip::ZipOk || result == unzip::ZipWriteError ||
                       result == unzip::ZipReadError || result == unzip::ZipDataError ||
                       result == unzip::ZipUnsupported || result == unzip::ZipBadBlockHeader ||
                       result == 3;
    if (!known) std::abort();
    return 0;
}
