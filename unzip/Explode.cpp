// Explode: the implode method's sliding dictionary (4 KB or 8 KB) with Shannon-Fano coded
// literals, lengths and distances. The member's uncompressed size is the only end marker.
#include <algorithm>

#include "unzip/BitSources.h"
#include "unzip/DecodeTable.h"
#include "unzip/Decoders.h"
#include "unzip/WindowCopy.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

constexpr uint32_t kLiteralCodes = 256;
constexpr uint32_t kLengthCodes = 64;
constexpr uint32_t kDistanceCodes = 64;

constexpr uint32_t kLiteralWidth = 9;
constexpr uint32_t kLengthWidth = 7;
constexpr uint32_t kSmallDistanceWidth = 7;
constexpr uint32_t kLargeDistanceWidth = 8;
// Members compressed to more than this many bytes use the wider distance lookup.
constexpr int64_t kLargeMemberCompressedSize = 200000;

constexpr uint32_t kLongestMatch = 66 + 255;
// A literal is 1 + 16 bits, a match at most 1 + 7 + 16 + 16 + 8: one register load
// of at least 56 bits covers either.

struct ImplodeConstants {
    uint16_t lengthBaseNoLiterals[kLengthCodes];  // 2 to 65
    uint16_t lengthBaseLiterals[kLengthCodes];    // 3 to 66
    uint8_t lengthExtra[kLengthCodes];            // 8 extra bits for code 63 only
    uint16_t distanceBase4K[kDistanceCodes];      // 1 + 64 * code
    uint16_t distanceBase8K[kDistanceCodes];      // 1 + 128 * code
    uint8_t noExtra[kDistanceCodes];
};

constexpr ImplodeConstants MakeConstants() {
    ImplodeConstants c{};
    for (uint32_t code = 0; code < 64; ++code) {
        c.lengthBaseNoLiterals[code] = uint16_t(2 + code);
        c.lengthBaseLiterals[code] = uint16_t(3 + code);
        c.lengthExtra[code] = code == 63 ? 8 : 0;
        c.distanceBase4K[code] = uint16_t(1 + 64 * code);
        c.distanceBase8K[code] = uint16_t(1 + 128 * code);
        c.noExtra[code] = 0;
    }
    return c;
}

constexpr ImplodeConstants kImplode = MakeConstants();

// Reads one tree's Shannon-Fano bit lengths: a byte with the number of bytes that follow
// less one, then per byte a bit length (low 4 bits + 1) and a count (high 4 bits + 1).
// The lengths must add up to exactly `count` codes.
bool ReadTreeLengths(MemberContext& member, uint16_t* lengths, uint32_t count) {
    const uint32_t bytes = uint32_t(ReadByte(member)) + 1;
    uint32_t filled = 0;
    for (uint32_t i = 0; i < bytes; ++i) {
        const uint8_t packed = ReadByte(member);
        const uint32_t repeat = (packed >> 4) + 1u;
        if (filled + repeat > count) return false;
        std::fill(lengths + filled, lengths + filled + repeat, uint16_t((packed & 0x0F) + 1));
        filled += repeat;
    }
    return filled == count;
}

bool ReadTree(MemberContext& member, DecodeTable& tree, uint32_t count, uint32_t simpleCount,
              const uint16_t* bases, const uint8_t* extra, uint32_t width) {
    uint16_t lengths[kLiteralCodes];
    return ReadTreeLengths(member, lengths, count) &&
           TableVerdict(tree.Build(lengths, count, simpleCount, bases, extra, width),
                        TableUse::MustBeComplete) == ZipOk;
}

struct ImplodeTrees {
    const DecodeEntry* literal;  // null when literals are sent as plain bytes
    uint32_t literalWidth;
    const DecodeEntry* length;
    uint32_t lengthWidth;
    const DecodeEntry* distance;
    uint32_t distanceWidth;
    uint32_t lowDistanceBits;  // 7 with the 8 KB dictionary, 6 with 4 KB
};

struct ExplodeState {
    uint32_t position = 0;
    int64_t remaining = 0;
    bool firstPass = true;  // no full window written yet: earlier bytes read as zeros
};

// Decodes one literal or match; 0, -4 or -2.
template <class Bits>
inline int32_t ExplodeStep(MemberContext& member, Bits& bits, uint8_t* window,
                           ExplodeState& state, const ImplodeTrees& trees) {
    if (TakeNumber(bits, 1)) {
        uint8_t literal;
        if (trees.literal) {
            const DecodeEntry* code = DecodeCode<true>(bits, trees.literal, trees.literalWidth);
            if (!code) return ZipDataError;
            literal = uint8_t(code->value);
        } else {
            literal = uint8_t(TakeNumber(bits, 8));
        }
        window[state.position++] = literal;
        --state.remaining;
        if (state.position == kWindowSize) {
            if (!FlushWindow(member, kWindowSize)) return ZipWriteError;
            state.position = 0;
            state.firstPass = false;
        }
        return ZipOk;
    }

    const uint32_t low = TakeNumber(bits, trees.lowDistanceBits);
    const DecodeEntry* far = DecodeCode<true>(bits, trees.distance, trees.distanceWidth);
    if (!far) return ZipDataError;
    const uint32_t distance = low + far->value;
    const DecodeEntry* code = DecodeCode<true>(bits, trees.length, trees.lengthWidth);
    if (!code) return ZipDataError;
    uint32_t length = code->value;
    if (code->op) length += TakeNumber(bits, code->op);
    // The uncompressed size ends the member, inside a match if need be.
    length = uint32_t(std::min<int64_t>(length, state.remaining));
    state.remaining -= length;
    if (!CopyMatch(window, state.position, distance, length, state.firstPass,
                   WindowFull{member}))
        return ZipWriteError;
    return ZipOk;
}

int32_t DecodeImploded(MemberContext& member, const ImplodeTrees& trees) {
    uint8_t* window = member.window.get();
    ExplodeState state;
    state.remaining = member.uncompressedSize;
    member.bitBuffer = 0;
    member.bitCount = 0;
    int32_t result = ZipOk;
    while (state.remaining > 0 && !member.abort && !member.endOfInput) {
        if (RegisterBits::CanLoad(member) && state.position <= kWindowSize - kLongestMatch) {
            RegisterBits bits(member);
            do {
                bits.Load();
                result = ExplodeStep(member, bits, window, state, trees);
            } while (result == ZipOk && state.remaining > 0 && bits.CanLoad() &&
                     state.position <= kWindowSize - kLongestMatch);
            bits.StoreInto(member);
        } else {
            MemberBits bits{member};
            result = ExplodeStep(member, bits, window, state, trees);
        }
        if (result != ZipOk) return result;
    }
    if (member.abort) return ZipUserAbort;
    if (!FlushWindow(member, state.position)) return ZipWriteError;
    return member.endOfInput ? ZipReadError : ZipOk;
}

}  // namespace

int32_t Explode(MemberContext& member) {
    member.ResetInput();
    const bool hasLiteralTree = (member.flags & kFlagImplodeLiteralTree) != 0;
    const bool largeDictionary = (member.flags & kFlagImplode8K) != 0;
    const uint32_t distanceWidth = member.compressedSize > kLargeMemberCompressedSize
                                       ? kLargeDistanceWidth
                                       : kSmallDistanceWidth;

    DecodeTable literal, length, distance;
    if (hasLiteralTree &&
        !ReadTree(member, literal, kLiteralCodes, kLiteralCodes, nullptr, nullptr, kLiteralWidth))
        return ZipDataError;
    if (!ReadTree(member, length, kLengthCodes, 0,
                  hasLiteralTree ? kImplode.lengthBaseLiterals : kImplode.lengthBaseNoLiterals,
                  kImplode.lengthExtra, kLengthWidth))
        return ZipDataError;
    if (!ReadTree(member, distance, kDistanceCodes, 0,
                  largeDictionary ? kImplode.distanceBase8K : kImplode.distanceBase4K,
                  kImplode.noExtra, distanceWidth))
        return ZipDataError;

    const ImplodeTrees trees{literal.First(),  literal.Width(),  length.First(),
                             length.Width(),   distance.First(), distance.Width(),
                             largeDictionary ? 7u : 6u};
    return DecodeImploded(member, trees);
}

}  // namespace unzip
