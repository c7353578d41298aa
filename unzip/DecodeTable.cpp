#include "unzip/DecodeTable.h"

#include <algorithm>
#include <new>
#include <vector>

#include "unzip/BitReverse.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

// Every table is allocated with one hidden entry in front of it: `value` and `bits` hold
// the table's width, `next` links to the table allocated after it, so that all tables
// of one build are freed by following the links from the first.
DecodeEntry* AllocateTable(uint32_t width, DecodeEntry*& lastHidden) {
    const size_t entries = size_t(1) << width;
    DecodeEntry* hidden = new (std::nothrow) DecodeEntry[entries + 1];
    if (!hidden) return nullptr;
    hidden->op = 0;
    hidden->bits = uint8_t(width);
    hidden->value = uint16_t(width);
    hidden->next = nullptr;
    for (size_t i = 1; i <= entries; ++i) hidden[i] = DecodeEntry{kOpInvalid, 0, 0, nullptr};
    if (lastHidden) lastHidden->next = hidden;
    lastHidden = hidden;
    return hidden + 1;
}

// One open table per level while the codes are walked in canonical order.
struct Level {
    DecodeEntry* table;
    uint32_t start;   // bits of the code consumed before this table
    uint32_t width;
    uint32_t prefix;  // the low `start` bits that lead to this table
};

}  // namespace

TableResult BuildDecodeTable(const uint16_t* lengths, uint32_t count, uint32_t simpleCount,
                     const uint16_t* bases, const uint8_t* extraBits, DecodeEntry** first,
                     uint32_t* width) {
    *first = nullptr;
    uint32_t lengthCount[kMaxCodeLength + 1] = {};
    for (uint32_t symbol = 0; symbol < count; ++symbol) {
        if (lengths[symbol] > kMaxCodeLength) return kTableBadLengths;
        ++lengthCount[lengths[symbol]];
    }
    if (lengthCount[0] == count) {
        *width = 0;
        return kTableComplete;
    }

    uint32_t shortest = 1, longest = kMaxCodeLength;
    while (lengthCount[shortest] == 0) ++shortest;
    while (lengthCount[longest] == 0) --longest;
    uint32_t lookup = std::clamp(*width, shortest, longest);

    int64_t unused = 1;
    for (uint32_t length = 1; length <= kMaxCodeLength; ++length) {
        unused = (unused << 1) - lengthCount[length];
        if (unused < 0) return kTableBadLengths;
    }
    const bool incomplete = unused > 0;

    // Symbols sorted by code length, in symbol order within a length.
    uint32_t offset[kMaxCodeLength + 2] = {};
    for (uint32_t length = 1; length <= kMaxCodeLength; ++length)
        offset[length + 1] = offset[length] + lengthCount[length];
    std::vector<uint16_t> sorted(offset[kMaxCodeLength + 1]);
    for (uint32_t symbol = 0; symbol < count; ++symbol)
        if (lengths[symbol]) sorted[offset[lengths[symbol]]++] = uint16_t(symbol);

    // The end-of-block code is kept from straddling two tables so that it is resolved
    // in the table where it starts.
    const uint32_t endOfBlockLength = count > 256 ? lengths[256] : kMaxCodeLength;
    auto cutAtEndOfBlock = [&](uint32_t start, uint32_t bits) {
        if (start < endOfBlockLength && start + bits > endOfBlockLength)
            return endOfBlockLength - start;
        return bits;
    };

    uint32_t remaining[kMaxCodeLength + 1];
    std::copy(lengthCount, lengthCount + kMaxCodeLength + 1, remaining);

    DecodeEntry* lastHidden = nullptr;
    Level levels[kMaxCodeLength + 1] = {};
    uint32_t depth = 0;
    const uint32_t firstWidth = cutAtEndOfBlock(0, lookup);
    levels[0] = {AllocateTable(firstWidth, lastHidden), 0, firstWidth, 0};
    if (!levels[0].table) return kTableNoMemory;
    *first = levels[0].table;

    uint32_t code = 0, codeLength = shortest;
    for (uint16_t symbol : sorted) {
        const uint32_t length = lengths[symbol];
        if (length != codeLength) {
            code <<= (length - codeLength);
            codeLength = length;
        }
        const uint32_t reversed = ReverseCode(code, length);

        DecodeEntry entry{};
        if (symbol < simpleCount) {
            entry.op = symbol < 256 ? kOpLiteral : kOpEndOfBlock;
            entry.value = symbol;
        } else {
            if (!bases || !extraBits) {
                FreeDecodeTable(*first);
                *first = nullptr;
                return kTableBadLengths;
            }
            entry.op = extraBits[symbol - simpleCount];
            entry.value = bases[symbol - simpleCount];
        }

        // Go down to the table that holds this code, opening tables on the way.
        depth = 0;
        for (;;) {
            Level& level = levels[depth];
            const uint32_t end = level.start + level.width;
            if (length <= end) break;
            const uint32_t prefix = reversed & ((1u << end) - 1);
            if (depth + 1 <= kMaxCodeLength && levels[depth + 1].table &&
                levels[depth + 1].start == end && levels[depth + 1].prefix == prefix) {
                ++depth;
                continue;
            }
            // Smallest table that the remaining codes under this prefix fill, at most
            // the lookup width.
            const uint32_t limit = std::min(lookup, longest - end);
            uint32_t bits = std::min(length - end, limit);
            int64_t free = (int64_t(1) << bits) - remaining[end + bits];
            while (free > 0 && bits < limit) {
                ++bits;
                free = (free << 1) - remaining[end + bits];
            }
            bits = cutAtEndOfBlock(end, bits);
            DecodeEntry* table = AllocateTable(bits, lastHidden);
            if (!table) {
                FreeDecodeTable(*first);
                *first = nullptr;
                return kTableNoMemory;
            }
            const uint32_t index = (reversed >> level.start) & ((1u << level.width) - 1);
            level.table[index] =
                DecodeEntry{uint8_t(kOpLiteral + bits), uint8_t(level.width), 0, table};
            levels[depth + 1] = {table, end, bits, prefix};
            for (uint32_t deeper = depth + 2; deeper <= kMaxCodeLength; ++deeper)
                levels[deeper].table = nullptr;
            ++depth;
        }

        Level& home = levels[depth];
        entry.bits = uint8_t(length - home.start);
        const uint32_t step = 1u << (length - home.start);
        for (uint32_t index = reversed >> home.start; index < (1u << home.width); index += step)
            home.table[index] = entry;

        --remaining[length];
        ++code;
    }

    *width = firstWidth;
    return (incomplete && longest != 1) ? kTableIncomplete : kTableComplete;
}

int32_t TableVerdict(TableResult result, TableUse use) {
    switch (result) {
        case TableResult::Complete: return ZipOk;
        case TableResult::Incomplete: return use == TableUse::MayBeIncomplete ? ZipOk : ZipDataError;
        case TableResult::NoMemory: return use == TableUse::FixedLiteral ? ZipTableNoMemory : ZipDataError;
        case TableResult::BadLengths: break;
    }
    return ZipDataError;
}

void FreeDecodeTable(DecodeEntry* first) {
    DecodeEntry* hidden = first ? first - 1 : nullptr;
    while (hidden) {
        DecodeEntry* next = hidden->next;
        delete[] hidden;
        hidden = next;
    }
}

}  // namespace unzip
