// Two ways for a decoder to take bits, with the same three operations (Need, Peek, Dump)
// so that one decoding step serves both:
//  - MemberBits works on the member context and refills input as it goes; it is used
//    near the end of an input block, where a refill (and with it the message pump and
//    the progress check) may fall inside a code.
//  - RegisterBits keeps the bit buffer in registers and loads eight bytes at a time
//    (NarrowRegisterBits four, for inflate on 32-bit x86) from the current input block; it is used only while the block holds enough bytes
//    for a whole step, so it never needs a refill and input is read, and messages are
//    pumped, at exactly the same points as with MemberBits.
#pragma once

#include <cstdint>

#include "unzip/ByteOrder.h"
#include "unzip/DecodeTable.h"
#include "unzip/MemberContext.h"

namespace unzip {

struct MemberBits {
    MemberContext& member;

    void Need(uint32_t count) { NeedBits(member, count); }
    uint32_t Peek() const { return uint32_t(member.bitBuffer); }
    void Dump(uint32_t count) { DumpBits(member, count); }
};

// A bit buffer of one machine word, 64 or 32 bits. A load tops it up to at least all but
// eight of its bits (56 or 24) from one word of input; bits above the count then hold
// the start of the next unread byte, exactly what loading that byte later puts there, so
// every bit of the buffer is a bit of the stream.
template <class Word>
struct WordRegisterBits {
    static constexpr uint32_t kWordBits = 8 * sizeof(Word);
    static constexpr uint32_t kCountMask = kWordBits - 1;
    static constexpr int32_t kLoadBytes = int32_t(sizeof(Word));

    explicit WordRegisterBits(MemberContext& member)
        : buffer(Word(member.bitBuffer)),
          count(member.bitCount),
          position(member.inputPosition),
          last(member.inputLast),
          input(member.input) {}

    // True while a load stays inside the current block, and (for a narrow buffer) while
    // the member's bits fit it.
    static bool CanLoad(const MemberContext& member) {
        return (kWordBits == 64 || member.bitCount <= kWordBits - 8) &&
               member.inputLast - member.inputPosition + 1 >= kLoadBytes;
    }
    bool CanLoad() const { return last - position + 1 >= kLoadBytes; }
    // Two loads in a row advance at most one byte less than a word each.
    bool CanLoadTwice() const { return last - position + 1 >= 2 * kLoadBytes - 1; }

    void Load() {
        const uint32_t valid = count & kCountMask;
        if constexpr (kWordBits == 64)
            buffer |= Little64(input + position) << valid;
        else
            buffer |= Little32(input + position) << valid;
        position += int32_t((kCountMask - valid) >> 3);
        count = valid | (kWordBits - 8);
    }

    void Need(uint32_t) {}
    uint32_t Peek() const { return uint32_t(buffer); }
    // Drops `bits` bits. Only the low bits of the count and of `bits` matter (six of 64,
    // five of 32), so a caller may pass a table entry whose low bits are its length (or
    // the sum of two such entries, when the lengths add up to less than the word) without
    // masking it first.
    void Dump(uint32_t bits) {
        buffer >>= (bits & kCountMask);
        count -= bits;
    }

    void StoreInto(MemberContext& member) const {
        member.bitBuffer = buffer;
        member.bitCount = count & kCountMask;
        member.inputPosition = position;
    }

    Word buffer;
    uint32_t count;
    int32_t position;
    int32_t last;
    const uint8_t* input;
};

using RegisterBits = WordRegisterBits<uint64_t>;
// For inflate's fast loop on 32-bit x86.
using NarrowRegisterBits = WordRegisterBits<uint32_t>;

// Looks up one code; null for bits that no code has. Implode sends its codes with every
// bit inverted, so its lookups invert the buffer first.
template <bool Inverted, class Bits>
inline const DecodeEntry* DecodeCode(Bits& bits, const DecodeEntry* table, uint32_t width) {
    bits.Need(width);
    const DecodeEntry* entry =
        table + ((Inverted ? ~bits.Peek() : bits.Peek()) & kBitMask[width]);
    uint32_t op = entry->op;
    while (op > kOpLiteral) {
        if (op == kOpInvalid) return nullptr;
        bits.Dump(entry->bits);
        op -= kOpLiteral;
        bits.Need(op);
        entry = entry->next + ((Inverted ? ~bits.Peek() : bits.Peek()) & kBitMask[op]);
        op = entry->op;
    }
    bits.Dump(entry->bits);
    return entry;
}

// Takes `count` (at most 16) bits as a number.
template <class Bits>
inline uint32_t TakeNumber(Bits& bits, uint32_t count) {
    bits.Need(count);
    const uint32_t value = bits.Peek() & kBitMask[count];
    bits.Dump(count);
    return value;
}

}  // namespace unzip
