// The state of the one member being extracted, shared by the member extraction and the
// decoders: the open files, sizes, flags, the running CRC, the progress and abort state,
// the 32,768-byte output window and the 4,096-byte input buffer with its bit reader.
// Output is written only through WriteOutput/FlushWindow, which keep the CRC and make
// the StatusBytesWritten reports; input is read only through RefillInput, which lets
// pending messages run and checks progress before every block it reads.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Platform.h"
#include "unzip/UnzipHooks.h"

namespace unzip {

constexpr uint32_t kWindowSize = 32768;
constexpr uint32_t kWindowMask = kWindowSize - 1;
constexpr int32_t kInputSize = 4096;
// Sizes recorded for a member whose sizes follow its data (flag bit 3).
constexpr int64_t kUnknownSize = 2147483647;
// The output bound of a member whose size nothing tells.
constexpr int64_t kNoOutputLimit = INT64_MAX;

// General-purpose flag bits.
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagImplode8K = 0x0002;
constexpr uint16_t kFlagImplodeLiteralTree = 0x0004;
constexpr uint16_t kFlagDataDescriptor = 0x0008;

struct MemberContext {
    MemberContext();

    // Output gathers here; the slack past the window lets the decoders copy in whole
    // machine words without testing for the end at every byte. It is never written out.
    static constexpr uint32_t kWindowSlack = 64;
    std::unique_ptr<uint8_t[]> window;

    plat::File* archive = nullptr;
    plat::File* output = nullptr;
    int64_t compressedSize = 0;
    int64_t uncompressedSize = 0;
    int64_t bytesRead = 0;
    // Output stops at the declared size: a member that would write more is damaged.
    int64_t outputLimit = kNoOutputLimit;
    int64_t written = 0;
    bool overran = false;
    uint16_t flags = 0;
    uint32_t crc = 0xFFFFFFFFu;
    uint16_t lastPercent = 0;
    bool abort = false;
    bool endOfInput = false;
    NotifyWindow notifyWindow = 0;
    int32_t notifyId = 0;
    // Inflate's fast loop keeps its bits in a 32-bit register instead of a 64-bit one: on
    // 32-bit x86 a 64-bit buffer takes two of the few registers and a double shift for
    // every code. Results, bytes and writes are the same either way. Windows builds have
    // only the loop of their own width and do not look at this.
    bool narrowFastLoop = sizeof(void*) < 8;

    // Input buffer and bit reader. Bits are taken least significant first. The buffer
    // can hold a few bits that belong to bytes not yet taken from `input` (see FastLoad);
    // they equal those bytes, so taking the bytes again changes nothing.
    uint8_t input[kInputSize + 8] = {};
    int32_t inputPosition = 0;
    int32_t inputLast = -1;
    uint64_t bitBuffer = 0;
    uint32_t bitCount = 0;

    // Clears the input buffer and bit reader for a decoder run.
    void ResetInput() {
        inputPosition = 0;
        inputLast = -1;
        bitBuffer = 0;
        bitCount = 0;
    }
};

// Reads the next block of compressed input (see the .cpp for the end-of-input rules).
void RefillInput(MemberContext& member);

inline uint8_t ReadByte(MemberContext& member) {
    if (member.inputPosition > member.inputLast) RefillInput(member);
    return member.input[member.inputPosition++];
}

// Ensures at least `count` (at most 32) valid bits in the bit buffer.
inline void NeedBits(MemberContext& member, uint32_t count) {
    while (member.bitCount < count) {
        member.bitBuffer |= uint64_t(ReadByte(member)) << member.bitCount;
        member.bitCount += 8;
    }
}

inline void DumpBits(MemberContext& member, uint32_t count) {
    member.bitBuffer >>= count;
    member.bitCount -= count;
}

inline uint32_t TakeBits(MemberContext& member, uint32_t count) {
    NeedBits(member, count);
    const uint32_t value = uint32_t(member.bitBuffer) & ((1u << count) - 1);
    DumpBits(member, count);
    return value;
}

// (2^k - 1) for k = 0 to 16.
extern const uint32_t kBitMask[17];

// Writes `count` bytes, updates the running CRC over them whatever the outcome, and on
// success reports StatusBytesWritten with the count. True when all were written. Bytes
// past the member's output limit are not written: the member is marked as overrun.
bool WriteOutput(MemberContext& member, const uint8_t* data, uint32_t count);
// Writes the first `count` bytes of the window.
bool FlushWindow(MemberContext& member, uint32_t count);

// Records the time of this pump for the busy rule and lets pending messages run.
void PumpMessages(MemberContext& member);
// Passes a changed percentage of the compressed input to the notify window, or watches
// the abort key; sets the abort flag when asked to stop.
void CheckProgress(MemberContext& member);

}  // namespace unzip
