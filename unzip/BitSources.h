// Two ways for a decoder to take bits, with the same three operations (Need, Peek, Dump)
// so that one decoding step serves both:
//  - MemberBits works on the member context and refills input as it goes; it is used
//    near the end of an input block, where a refill (and with it the message pump and
//    the progress check) may fall inside a code.
//  - RegisterBits keeps the bit buffer in registers and loads eight bytes at a time
//    from the current input block; it is used only while the block holds enough bytes
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

struct RegisterBits {
    explicit RegisterBits(MemberContext& member)
        : buffer(member.bitBuffer),
          count(member.bitCount),
          position(member.inputPosition),
          last(member.inputLast),
          input(member.input) {}

    // True while eight more bytes can be loaded without leaving the current block.
    static bool CanLoad(const MemberContext& member) {
        return member.inputLast - member.inputPosition + 1 >= 8;
    }
    bool CanLoad() const { return last - position + 1 >= 8; }

    // Tops the buffer up to at least 56 bits. Bits above the count then hold the start of
    // the next unread byte, exactly what loading that byte later puts there.
    void Load() {
        const uint32_t valid = count & 63;
        buffer |= Little64(input + position) << valid;
        position += int32_t((63 - valid) >> 3);
        count = valid | 56;
    }

    void Need(uint32_t) {}
    uint32_t Peek() const { return uint32_t(buffer); }
    // Drops `bits` bits. Only the low six bits of the count and of `bits` matter, so a
    // caller may pass a table entry whose low six bits are its length (or the sum of two
    // such entries, when the lengths add up to less than 64) without masking it first.
    void Dump(uint32_t bits) {
        buffer >>= (bits & 63);
        count -= bits;
    }

    void StoreInto(MemberContext& member) const {
        member.bitBuffer = buffer;
        member.bitCount = count & 63;
        member.inputPosition = position;
    }

    uint64_t buffer;
    uint32_t count;
    int32_t position;
    int32_t last;
    const uint8_t* input;
};

// RegisterBits in 32 bits, for inflate's fast loop on 32-bit x86. A load tops the buffer
// up to at least 24 bits from four bytes, after which every one of its 32 bits is a bit of
// the stream. Taken over from a member only while the member holds at most 24 bits.
struct NarrowRegisterBits {
    static constexpr uint32_t kLoadBytes = 4;
    explicit NarrowRegisterBits(MemberContext& member)
        : buffer(uint32_t(member.bitBuffer)),
          count(member.bitCount),
          position(member.inputPosition),
          last(member.inputLast),
          input(member.input) {}

    static bool CanLoad(const MemberContext& member) {
        return member.bitCount <= 24 && member.inputLast - member.inputPosition + 1 >= int32_t(kLoadBytes);
    }
    bool CanLoad() const { return last - position + 1 >= int32_t(kLoadBytes); }
    // Two loads in a row advance at most three bytes each.
    bool CanLoadTwice() const { return last - position + 1 >= int32_t(3 + kLoadBytes); }

    void Load() {
        const uint32_t valid = count & 31;
        buffer |= Little32(input + position) << valid;
        position += int32_t((31 - valid) >> 3);
        count = valid | 24;
    }
    // Only the low five bits of `bits` matter (see RegisterBits::Dump); no entry drops 32.
    void Dump(uint32_t bits) {
        buffer >>= (bits & 31);
        count -= bits;
    }
    void StoreInto(MemberContext& member) const {
        member.bitBuffer = buffer;
        member.bitCount = count & 31;
        member.inputPosition = position;
    }

    uint32_t buffer;
    uint32_t count;
    int32_t position;
    int32_t last;
    const uint8_t* input;
};

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
