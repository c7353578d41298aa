#include "unzip/FastInflate.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "unzip/BitReverse.h"
#include "unzip/DeflateCodes.h"
#include "unzip/InflateOutput.h"
#include "unzip/MemberContext.h"

namespace unzip {

namespace {

// First-level widths: eleven bits resolve nearly every literal/length code (and most
// pairs of short literals); eight bits most distance codes.
constexpr uint32_t kLiteralLengthWidth = 11;
constexpr uint32_t kDistanceWidth = 8;
constexpr uint32_t kLongestDeflateCode = 15;

// What an entry is, one bit each, so that one test tells it; an entry with none of them
// is invalid. For a distance table, Match means a distance.
enum Kind : uint32_t {
    Invalid = 0,
    Further = 1u << 6,
    EndOfBlock = 1u << 7,
    Literal = 1u << 12,
    TwoLiterals = 1u << 13,
    Match = 1u << 14,
};

// bits 0-5: bits to drop for the entry (the code with its extra bits, both codes of a
// pair, the first-level width for a further table); bits 6-7 and 12-14: kind; bits 8-11:
// bits of the code alone, or the further table's width; bits 16-31: value (the literal
// bytes, a base, the further table's offset).
constexpr uint32_t MakeEntry(uint32_t dropped, uint32_t codeBits, Kind kind, uint32_t value) {
    return dropped | codeBits << 8 | kind | value << 16;
}
constexpr uint32_t DroppedBy(uint32_t entry) { return entry & 0x3F; }
constexpr uint32_t CodeBitsOf(uint32_t entry) { return (entry >> 8) & 0xF; }
constexpr bool Is(uint32_t entry, Kind kind) { return (entry & kind) != 0; }
constexpr bool IsLiteral(uint32_t entry) { return (entry & (Literal | TwoLiterals)) != 0; }
constexpr uint32_t ValueOf(uint32_t entry) { return entry >> 16; }
constexpr uint32_t kInvalidEntry = MakeEntry(0, 0, Invalid, 0);

constexpr uint32_t Mask(uint32_t bits) { return (1u << bits) - 1; }

uint32_t Meaning(uint32_t symbol, uint32_t length, FastCodeTable::Alphabet alphabet) {
    if (alphabet == FastCodeTable::Alphabet::Distance) {
        const uint32_t extra = kDistanceExtra[symbol];
        if (extra == kInvalidExtra) return kInvalidEntry;
        return MakeEntry(length + extra, length, Match, kDistanceBase[symbol]);
    }
    if (symbol < kEndOfBlockSymbol) return MakeEntry(length, length, Literal, symbol);
    if (symbol == kEndOfBlockSymbol) return MakeEntry(length, length, EndOfBlock, 0);
    const uint32_t code = symbol - kFirstLengthSymbol;
    const uint32_t extra = kLengthExtra[code];
    if (extra == kInvalidExtra) return kInvalidEntry;
    return MakeEntry(length + extra, length, Match, kLengthBase[code]);
}

// Where a literal's code leaves room for a second literal's code within the first-level
// width, one entry stores both. Walking down, the entry read for the second code (at a
// smaller index) has not been turned into a pair yet. `shortestLiteral` is the length of
// the shortest literal code: a first code longer than `width` less that has no room, and
// when every code is, as in most blocks of machine code, nothing is paired at all.
void PairLiterals(uint32_t* table, uint32_t width, uint32_t shortestLiteral) {
    if (2 * shortestLiteral > width) return;
    const uint32_t longestFirst = width - shortestLiteral;
    for (uint32_t index = Mask(width) + 1; index-- > 0;) {
        const uint32_t first = table[index];
        if (!Is(first, Literal) || DroppedBy(first) > longestFirst) continue;
        const uint32_t second = table[index >> DroppedBy(first)];
        const uint32_t bits = DroppedBy(first) + DroppedBy(second);
        if (Is(second, Literal) && bits <= width)
            table[index] = MakeEntry(bits, bits, TwoLiterals, ValueOf(first) | ValueOf(second) << 8);
    }
}

// Copies a match of `length` bytes from `distance` bytes back, exactly as a byte-by-byte
// copy would (an overlapping match repeats its pattern). Most matches are short: the
// first 32 bytes go without a loop. The wide steps may write up to 31 bytes past the
// match; nothing there is output yet.
constexpr uint32_t kCopyOverrun = 31;
inline uint8_t* CopyMatchWide(uint8_t* to, uint32_t distance, uint32_t length) {
    const uint8_t* from = to - distance;
    uint8_t* const end = to + length;
    if (distance >= 16) {
        // Each sixteen-byte step reads only bytes written before it.
        std::memcpy(to, from, 16);
        std::memcpy(to + 16, from + 16, 16);
        to += 32;
        from += 32;
        while (to < end) {
            std::memcpy(to, from, 16);
            to += 16;
            from += 16;
        }
    } else if (distance >= 8) {
        do {
            std::memcpy(to, from, 8);
            to += 8;
            from += 8;
        } while (to < end);
    } else if (distance == 1) {
        const uint64_t repeated = *from * 0x0101010101010101ull;
        do {
            std::memcpy(to, &repeated, 8);
            to += 8;
        } while (to < end);
    } else {
        do *to++ = *from++;
        while (to < end);
    }
    return end;
}

// A step starts before the stop and adds up to four literals and the longest match.
static_assert(InflateOutput::kStepRoom >= 4 + kLongestMatch + kCopyOverrun);

FastBlockTables BuildFixedFastTables() {
    uint16_t lengths[kLiteralLengthCodes];
    FixedLiteralLengths(lengths);
    FastBlockTables tables;
    tables.literal.Build(lengths, kLiteralLengthCodes, FastCodeTable::Alphabet::LiteralLength);
    std::fill(lengths, lengths + kFixedDistanceCodes, kFixedDistanceLength);
    tables.distance.Build(lengths, kFixedDistanceCodes, FastCodeTable::Alphabet::Distance);
    return tables;
}

}  // namespace

void FastCodeTable::Build(const uint16_t* lengths, uint32_t count, Alphabet alphabet,
                          bool pairLiterals) {
    const uint32_t width = alphabet == Alphabet::LiteralLength ? kLiteralLengthWidth : kDistanceWidth;
    width_ = width;
    uint32_t lengthCount[kLongestDeflateCode + 1] = {};
    uint32_t longest = 0;
    uint32_t shortestLiteral = kLongestDeflateCode + 1;
    for (uint32_t symbol = 0; symbol < count; ++symbol) {
        const uint32_t length = std::min<uint32_t>(lengths[symbol], kLongestDeflateCode);
        ++lengthCount[length];
        longest = std::max(longest, length);
        if (symbol < kEndOfBlockSymbol && length != 0) shortestLiteral = std::min(shortestLiteral, length);
    }
    // The first code of each length (RFC 1951, 3.2.2).
    uint32_t nextCode[kLongestDeflateCode + 1] = {};
    lengthCount[0] = 0;
    for (uint32_t length = 1, code = 0; length <= kLongestDeflateCode; ++length) {
        code = (code + lengthCount[length - 1]) << 1;
        nextCode[length] = code;
    }

    // Room for the first level and every further table it can need, so that the table
    // never moves while it is filled.
    const uint32_t furtherWidth = longest > width ? longest - width : 0;
    const size_t firstLevel = size_t(1) << width;
    size_t longCodes = 0;
    for (uint32_t length = width + 1; length <= kLongestDeflateCode; ++length)
        longCodes += lengthCount[length];
    size_t used = firstLevel;
    entries_.resize(firstLevel + (longCodes << furtherWidth));
    uint32_t* const table = entries_.data();
    std::fill(table, table + firstLevel, kInvalidEntry);
    for (uint32_t symbol = 0; symbol < count; ++symbol) {
        const uint32_t length = lengths[symbol];
        if (length == 0 || length > kLongestDeflateCode) continue;
        const uint32_t reversed = ReverseCode(nextCode[length]++, length);
        const uint32_t entry = Meaning(symbol, length, alphabet);
        if (length <= width) {
            for (uint32_t index = reversed; index < firstLevel; index += 1u << length)
                table[index] = entry;
            continue;
        }
        uint32_t& link = table[reversed & Mask(width)];
        if (!Is(link, Further)) {
            link = MakeEntry(width, furtherWidth, Further, uint32_t(used));
            std::fill(table + used, table + used + (size_t(1) << furtherWidth), kInvalidEntry);
            used += size_t(1) << furtherWidth;
        }
        uint32_t* const further = table + ValueOf(link);
        for (uint32_t index = reversed >> width; index <= Mask(furtherWidth);
             index += 1u << (length - width))
            further[index] = entry;
    }
    if (alphabet == Alphabet::LiteralLength && pairLiterals) PairLiterals(table, width, shortestLiteral);
}

const FastBlockTables& FixedFastTables() {
    static const FastBlockTables tables = BuildFixedFastTables();
    return tables;
}

namespace {

// The entry for the code at the bottom of the buffer, through a further table if need be.
template <class Bits>
inline uint32_t LookUp(const Bits& bits, const uint32_t* table, uint32_t width) {
    const uint32_t entry = table[bits.buffer & Mask(width)];
    if (!Is(entry, Further)) return entry;
    return table[ValueOf(entry) + ((bits.buffer >> width) & Mask(CodeBitsOf(entry)))];
}

// Stores the one or two literals of a literal entry and drops their bits. Two bytes are
// stored either way: the one past a single literal is not output yet.
template <class Bits>
inline void TakeLiterals(Bits& bits, uint8_t*& at, uint32_t entry) {
    const uint32_t value = ValueOf(entry);
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
    at += 1 + Is(entry, TwoLiterals);
    bits.Dump(entry);
}

// The fast loop for either bit reader: 64 bits (four literals or a whole match a load),
// or 32 bits on 32-bit x86 (two literals, or a length, then its distance after another
// load). Both hand back at the same codes, with the same bytes written.
template <class Bits>
int32_t DecodeFast(Bits& member, uint8_t* output, uint32_t& position, uint32_t stop, const FastBlockTables& tables) {
    constexpr bool kNarrow = std::is_same_v<Bits, NarrowRegisterBits>;
    // A copy in locals: stores into the output could otherwise alias the bit reader and
    // keep it in memory.
    Bits bits = member;
    const uint32_t* const literals = tables.literal.Entries();
    const uint32_t* const distances = tables.distance.Entries();
    uint8_t* at = output + position;
    uint8_t* const stopAt = output + stop;
    int32_t result = 0;
    const auto lookUp = [&bits](const uint32_t* table, uint32_t width) { return LookUp(bits, table, width); };
    const auto takeLiterals = [&](uint32_t entry) { TakeLiterals(bits, at, entry); };
    // Each round starts right after a load, with the literal/length entry of the code at
    // the bottom of the buffer looked up, nothing of it consumed. After a load every bit
    // of the buffer is a bit of the stream (those above the count are the start of the
    // next unread byte), so a lookup may reach past the count; only counted bits are
    // dropped. A load counts at least 56 bits of 64, or 24 of 32.
    if (!(at < stopAt && bits.CanLoad())) return 0;
    bits.Load();
    uint32_t entry = lookUp(literals, kLiteralLengthWidth);
    for (;;) {
        if (IsLiteral(entry)) {
            if constexpr (kNarrow) {
                // A literal entry takes at most 15 bits, which leaves the 15 that the next
                // lookup needs; the second is taken while the count still holds it.
                takeLiterals(entry);
                entry = lookUp(literals, kLiteralLengthWidth);
                const bool tookSecond = IsLiteral(entry) && DroppedBy(entry) <= (bits.count & 31);
                if (tookSecond) takeLiterals(entry);
                if (!(at < stopAt && bits.CanLoad())) break;
                bits.Load();
                if (tookSecond) entry = lookUp(literals, kLiteralLengthWidth);
            } else {
                // Three literal entries take at most 45 bits; the fourth lookup still sees
                // the 15 bits that the longest code needs.
                takeLiterals(entry);
                entry = lookUp(literals, kLiteralLengthWidth);
                if (IsLiteral(entry)) {
                    takeLiterals(entry);
                    entry = lookUp(literals, kLiteralLengthWidth);
                    if (IsLiteral(entry)) {
                        takeLiterals(entry);
                        entry = lookUp(literals, kLiteralLengthWidth);
                    }
                }
                // Loading again keeps the low bits, so the entry stays what it is.
                if (!(at < stopAt && bits.CanLoad())) break;
                bits.Load();
            }
            continue;
        }
        if (!Is(entry, Match)) {
            if (Is(entry, EndOfBlock)) {
                bits.Dump(entry);
                result = kFastEndOfBlock;
            }
            break;
        }
        uint32_t length = 0, distance = 0;
        if constexpr (kNarrow) {
            // A length takes at most 15 + 5 bits; its distance, after one more load, at
            // most 15 + 13, which may need a third load to be counted. Without input for
            // two more loads the length stays unread.
            if (!bits.CanLoadTwice()) break;
            length = ValueOf(entry) + ((bits.buffer & Mask(DroppedBy(entry))) >> CodeBitsOf(entry));
            bits.Dump(entry);
            bits.Load();
            const uint32_t far = lookUp(distances, kDistanceWidth);
            if (!Is(far, Match)) {
                // The length is taken: the careful step could not start at this code
                // again. It would find the same invalid distance code, so the result is
                // its result.
                result = kFastDataError;
                break;
            }
            distance = ValueOf(far) + ((bits.buffer & Mask(DroppedBy(far))) >> CodeBitsOf(far));
            if (DroppedBy(far) <= (bits.count & 31)) {
                bits.Dump(far);
            } else {
                bits.Dump(CodeBitsOf(far));
                bits.Load();
                bits.Dump(DroppedBy(far) - CodeBitsOf(far));
            }
        } else {
            // A match takes at most 15 + 5 + 15 + 13 bits.
            const uint64_t buffer = bits.buffer;
            length = ValueOf(entry) + uint32_t((buffer & Mask(DroppedBy(entry))) >> CodeBitsOf(entry));
            const uint64_t rest = buffer >> DroppedBy(entry);
            uint32_t far = distances[rest & Mask(kDistanceWidth)];
            if (Is(far, Further))
                far = distances[ValueOf(far) + ((rest >> kDistanceWidth) & Mask(CodeBitsOf(far)))];
            if (!Is(far, Match)) break;
            distance = ValueOf(far) + uint32_t((rest & Mask(DroppedBy(far))) >> CodeBitsOf(far));
            bits.Dump(entry + far);
        }
        // The next entry is looked up before the copy, so that the two overlap.
        const bool more = bits.CanLoad();
        if (more) {
            bits.Load();
            entry = lookUp(literals, kLiteralLengthWidth);
        }
        at = CopyMatchWide(at, distance, length);
        if (!(more && at < stopAt)) break;
    }
    member = bits;
    position = uint32_t(at - output);
    return result;
}

}  // namespace

int32_t FastDecodeCodes(RegisterBits& bits, uint8_t* output, uint32_t& position, uint32_t stop,
                        const FastBlockTables& tables) {
    return DecodeFast(bits, output, position, stop, tables);
}

int32_t FastDecodeCodes(NarrowRegisterBits& bits, uint8_t* output, uint32_t& position, uint32_t stop,
                        const FastBlockTables& tables) {
    return DecodeFast(bits, output, position, stop, tables);
}

}  // namespace unzip
