#include "unzip/FastInflate.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "unzip/DeflateCodes.h"
#include "unzip/MemberContext.h"

namespace unzip {

namespace {

// First-level widths: eleven bits resolve nearly every literal/length code (and most
// pairs of short literals); eight bits most distance codes.
constexpr uint32_t kLiteralLengthWidth = 11;
constexpr uint32_t kDistanceWidth = 8;
constexpr uint32_t kLongestDeflateCode = 15;

// What an entry is. For a distance table, Match means a distance.
enum Kind : uint32_t { Literal, TwoLiterals, Match, EndOfBlock, Further, Invalid };

// bits 0-7: bits of code consumed (both codes of a pair, the whole code in a further
// table); bits 8-11: kind; 12-15: extra bits, or the further table's width; 16-31: value.
constexpr uint32_t MakeEntry(uint32_t bits, Kind kind, uint32_t extra, uint32_t value) {
    return bits | kind << 8 | extra << 12 | value << 16;
}
constexpr uint32_t BitsOf(uint32_t entry) { return entry & 0xFF; }
constexpr Kind KindOf(uint32_t entry) { return Kind((entry >> 8) & 0xF); }
constexpr uint32_t ExtraOf(uint32_t entry) { return (entry >> 12) & 0xF; }
constexpr uint32_t ValueOf(uint32_t entry) { return entry >> 16; }
constexpr uint32_t kInvalidEntry = MakeEntry(0, Invalid, 0, 0);

constexpr uint32_t Mask(uint32_t bits) { return (1u << bits) - 1; }

constexpr std::array<uint8_t, 256> MakeReversedBytes() {
    std::array<uint8_t, 256> reversed{};
    for (uint32_t byte = 0; byte < 256; ++byte)
        for (uint32_t bit = 0; bit < 8; ++bit) reversed[byte] |= uint8_t(((byte >> bit) & 1) << (7 - bit));
    return reversed;
}
constexpr std::array<uint8_t, 256> kReversedBytes = MakeReversedBytes();

// The `length` low bits of `code` in the opposite order (deflate sends codes from their
// highest bit, and the tables are indexed from the lowest).
uint32_t Reverse(uint32_t code, uint32_t length) {
    return (uint32_t(kReversedBytes[code & 0xFF]) << 8 | kReversedBytes[(code >> 8) & 0xFF]) >>
           (16 - length);
}

uint32_t Meaning(uint32_t symbol, uint32_t length, FastCodeTable::Alphabet alphabet) {
    if (alphabet == FastCodeTable::Alphabet::Distance) {
        if (kDistanceExtra[symbol] == kInvalidExtra) return kInvalidEntry;
        return MakeEntry(length, Match, kDistanceExtra[symbol], kDistanceBase[symbol]);
    }
    if (symbol < kEndOfBlockSymbol) return MakeEntry(length, Literal, 0, symbol);
    if (symbol == kEndOfBlockSymbol) return MakeEntry(length, EndOfBlock, 0, 0);
    const uint32_t code = symbol - kFirstLengthSymbol;
    if (kLengthExtra[code] == kInvalidExtra) return kInvalidEntry;
    return MakeEntry(length, Match, kLengthExtra[code], kLengthBase[code]);
}

// Where a literal's code leaves room for a second literal's code within the first-level
// width, one entry stores both. Walking down, the entry read for the second code (at a
// smaller index) has not been turned into a pair yet.
void PairLiterals(std::vector<uint32_t>& entries, uint32_t width) {
    for (uint32_t index = Mask(width) + 1; index-- > 0;) {
        const uint32_t first = entries[index];
        const uint32_t second = entries[index >> BitsOf(first)];
        const uint32_t bits = BitsOf(first) + BitsOf(second);
        const bool pair = KindOf(first) == Literal && KindOf(second) == Literal && bits <= width;
        entries[index] =
            pair ? MakeEntry(bits, TwoLiterals, 0, ValueOf(first) | ValueOf(second) << 8) : first;
    }
}

// Copies a match whose source lies wholly behind it in the window, in wide steps where
// the distance allows. The steps may run up to fifteen bytes past the match; those bytes
// are still history that later matches can reach, so they are put back.
inline void CopyBehind(uint8_t* to, uint32_t distance, uint32_t length) {
    const uint8_t* from = to - distance;
    uint8_t* const end = to + length;
    uint8_t after[16];
    std::memcpy(after, end, sizeof after);
    if (distance >= 16) {
        do {
            std::memcpy(to, from, 16);
            to += 16;
            from += 16;
        } while (to < end);
    } else if (distance >= 8) {
        do {
            std::memcpy(to, from, 8);
            to += 8;
            from += 8;
        } while (to < end);
    } else if (distance == 1) {
        std::memset(to, *from, length);
    } else {
        do *to++ = *from++;
        while (to < end);
    }
    std::memcpy(end, after, sizeof after);
}

// Sixteen bytes through a register: the two places may overlap.
inline void Move16(uint8_t* to, const uint8_t* from) {
    uint8_t piece[16];
    std::memcpy(piece, from, sizeof piece);
    std::memcpy(to, piece, sizeof piece);
}

// Copies a run whose source lies ahead of it (the bytes of the window's previous round).
// Sixteen-byte steps forward read each piece before anything is written over it; the
// steps may run past the run, and what they write there is put back.
inline void CopyAhead(uint8_t* to, const uint8_t* from, uint32_t length) {
    uint8_t* const end = to + length;
    uint8_t after[16];
    std::memcpy(after, end, sizeof after);
    do {
        Move16(to, from);
        to += 16;
        from += 16;
    } while (to < end);
    std::memcpy(end, after, sizeof after);
}

// The furthest window position at which a whole step (up to six literals and the
// longest match) still ends before the window is full.
constexpr uint32_t kLastFastPosition = kWindowSize - kLongestMatch - 6;
// Wide steps read and write up to sixteen bytes past the window's end.
static_assert(MemberContext::kWindowSlack >= 16);

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

void FastCodeTable::Build(const uint16_t* lengths, uint32_t count, Alphabet alphabet) {
    width_ = alphabet == Alphabet::LiteralLength ? kLiteralLengthWidth : kDistanceWidth;
    uint32_t lengthCount[kLongestDeflateCode + 1] = {};
    uint32_t longest = 0;
    for (uint32_t symbol = 0; symbol < count; ++symbol) {
        const uint32_t length = std::min<uint32_t>(lengths[symbol], kLongestDeflateCode);
        ++lengthCount[length];
        longest = std::max(longest, length);
    }
    // The first code of each length (RFC 1951, 3.2.2).
    uint32_t nextCode[kLongestDeflateCode + 1] = {};
    lengthCount[0] = 0;
    for (uint32_t length = 1, code = 0; length <= kLongestDeflateCode; ++length) {
        code = (code + lengthCount[length - 1]) << 1;
        nextCode[length] = code;
    }

    entries_.assign(size_t(1) << width_, kInvalidEntry);
    const uint32_t furtherWidth = longest > width_ ? longest - width_ : 0;
    for (uint32_t symbol = 0; symbol < count; ++symbol) {
        const uint32_t length = lengths[symbol];
        if (length == 0 || length > kLongestDeflateCode) continue;
        const uint32_t reversed = Reverse(nextCode[length]++, length);
        const uint32_t entry = Meaning(symbol, length, alphabet);
        if (length <= width_) {
            for (uint32_t index = reversed; index <= Mask(width_); index += 1u << length)
                entries_[index] = entry;
            continue;
        }
        uint32_t& link = entries_[reversed & Mask(width_)];
        if (KindOf(link) != Further) {
            const uint32_t offset = uint32_t(entries_.size());
            link = MakeEntry(width_, Further, furtherWidth, offset);
            entries_.resize(offset + (size_t(1) << furtherWidth), kInvalidEntry);
        }
        const uint32_t further = ValueOf(entries_[reversed & Mask(width_)]);
        for (uint32_t index = reversed >> width_; index <= Mask(furtherWidth);
             index += 1u << (length - width_))
            entries_[further + index] = entry;
    }
    if (alphabet == Alphabet::LiteralLength) PairLiterals(entries_, width_);
}

const FastBlockTables& FixedFastTables() {
    static const FastBlockTables tables = BuildFixedFastTables();
    return tables;
}

int32_t FastDecodeCodes(RegisterBits& member, uint8_t* window, uint32_t& position,
                        const FastBlockTables& tables) {
    // A copy in locals: stores into the window could otherwise alias the bit reader and
    // keep it in memory.
    RegisterBits bits = member;
    const uint32_t* const literals = tables.literal.Entries();
    const uint32_t literalWidth = tables.literal.Width();
    const uint32_t* const distances = tables.distance.Entries();
    const uint32_t distanceWidth = tables.distance.Width();
    uint32_t at = position;
    int32_t result = 0;
    const auto lookUp = [&]() {
        const uint32_t entry = literals[bits.buffer & Mask(literalWidth)];
        if (KindOf(entry) != Further) return entry;
        return literals[ValueOf(entry) + ((bits.buffer >> literalWidth) & Mask(ExtraOf(entry)))];
    };
    // Stores one or two literals and drops their bits; false for any other entry.
    const auto takeLiterals = [&](uint32_t entry) {
        if (KindOf(entry) > TwoLiterals) return false;
        // The byte after a single literal is history that a match may still reach.
        const bool two = KindOf(entry) == TwoLiterals;
        window[at + 1] = two ? uint8_t(ValueOf(entry) >> 8) : window[at + 1];
        window[at] = uint8_t(ValueOf(entry));
        at += 1 + two;
        bits.Dump(BitsOf(entry));
        return true;
    };
    while (bits.CanLoad() && at <= kLastFastPosition) {
        // 56 bits or more: the longest step takes 15 + 5 + 15 + 13, a literal code 15.
        bits.Load();
        uint32_t entry = lookUp();
        if (takeLiterals(entry)) {
            // The bits of one load hold up to three literal codes.
            if (!takeLiterals(entry = lookUp())) {
                // Loading again keeps the low bits, so the entry stays what it is.
                if (!bits.CanLoad()) break;
                bits.Load();
            } else if (takeLiterals(entry = lookUp()) || !bits.CanLoad()) {
                continue;
            } else {
                bits.Load();
            }
        }
        const uint64_t buffer = bits.buffer;
        const Kind kind = KindOf(entry);
        if (kind == EndOfBlock) {
            bits.Dump(BitsOf(entry));
            result = kFastEndOfBlock;
            break;
        }
        if (kind != Match) break;

        uint32_t used = BitsOf(entry);
        const uint32_t length = ValueOf(entry) + uint32_t((buffer >> used) & Mask(ExtraOf(entry)));
        used += ExtraOf(entry);
        uint32_t far = distances[(buffer >> used) & Mask(distanceWidth)];
        if (KindOf(far) == Further)
            far = distances[ValueOf(far) +
                            ((buffer >> (used + distanceWidth)) & Mask(ExtraOf(far)))];
        if (KindOf(far) != Match) break;
        used += BitsOf(far);
        const uint32_t distance = ValueOf(far) + uint32_t((buffer >> used) & Mask(ExtraOf(far)));
        bits.Dump(used + ExtraOf(far));

        if (distance <= at) {
            CopyBehind(window + at, distance, length);
            at += length;
        } else {
            // The source starts ahead, in what is left of the window's previous round,
            // and may go on from the window's start.
            const uint32_t source = at + kWindowSize - distance;
            const uint32_t ahead = std::min(length, kWindowSize - source);
            CopyAhead(window + at, window + source, ahead);
            if (ahead < length) CopyBehind(window + at + ahead, at + ahead, length - ahead);
            at += length;
        }
    }
    member = bits;
    position = at;
    return result;
}

}  // namespace unzip
