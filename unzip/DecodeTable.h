// Lookup tables for prefix codes (deflate's Huffman codes and implode's Shannon-Fano
// codes). A first-level table is indexed by a fixed number of low bits of the bit buffer
// (the lookup width); codes longer than that continue in further tables. Each entry says
// what its code means:
//   op 16         a literal (value = the byte)
//   op 15         end of block
//   op 0 to 14    a length or distance: value = base, op = number of extra bits to add
//   op 17 to 32   a further table follows, indexed by (op - 16) more bits (next)
//   op 99         no code has these bits
// `bits` is how many bits of the code the entry consumes at its own level.
#pragma once

#include <cstdint>

namespace unzip {

struct DecodeEntry {
    uint8_t op;
    uint8_t bits;
    uint16_t value;
    DecodeEntry* next;
};

constexpr uint8_t kOpLiteral = 16;
constexpr uint8_t kOpEndOfBlock = 15;
constexpr uint8_t kOpInvalid = 99;
constexpr uint32_t kMaxCodeLength = 16;

// Results of BuildDecodeTable: the builder's own, not the engine's result codes.
enum class TableResult { Complete, Incomplete, BadLengths, NoMemory };
constexpr TableResult kTableComplete = TableResult::Complete;
constexpr TableResult kTableIncomplete = TableResult::Incomplete;
constexpr TableResult kTableBadLengths = TableResult::BadLengths;
constexpr TableResult kTableNoMemory = TableResult::NoMemory;

// What a decoder needs of a table, for the translation below.
enum class TableUse {
    FixedLiteral,    // a fixed deflate block's literal/length table
    MustBeComplete,  // every code assigned
    MayBeIncomplete, // unused codes allowed (a deflate distance table)
};

// The one place where the builder's results become the engine's: 0 when the table serves
// its use; otherwise -4 (invalid data), or 3 when memory ran out for a fixed block's
// literal/length table (ZipTableNoMemory).
int32_t TableVerdict(TableResult result, TableUse use);

// Builds the tables for `count` codes with the given bit lengths (0 = unused). Symbols
// below `simpleCount` are literals (op 16) or, from 256 on, end of block (op 15); the
// others take their op and value from `extraBits` and `bases` (indexed from simpleCount).
// `width` comes in as the wanted lookup width and goes out as the first table's actual
// width. A code set in which every length is 0 gives no table (null), width 0, result 0.
// Result 1 means codes are left unused (unless the only length is 1); the table is
// still built and the unused entries are op 99.
TableResult BuildDecodeTable(const uint16_t* lengths, uint32_t count, uint32_t simpleCount,
                     const uint16_t* bases, const uint8_t* extraBits, DecodeEntry** first,
                     uint32_t* width);

// Frees every table that one BuildDecodeTable call made; harmless on null.
void FreeDecodeTable(DecodeEntry* first);

// Owns the tables of one build and frees them on every path out of a decoder.
class DecodeTable {
public:
    DecodeTable() = default;
    ~DecodeTable() { FreeDecodeTable(first_); }
    DecodeTable(const DecodeTable&) = delete;
    DecodeTable& operator=(const DecodeTable&) = delete;

    TableResult Build(const uint16_t* lengths, uint32_t count, uint32_t simpleCount,
              const uint16_t* bases, const uint8_t* extraBits, uint32_t wantedWidth) {
        FreeDecodeTable(first_);
        first_ = nullptr;
        width_ = wantedWidth;
        return BuildDecodeTable(lengths, count, simpleCount, bases, extraBits, &first_,
                                &width_);
    }
    const DecodeEntry* First() const { return first_; }
    uint32_t Width() const { return width_; }

private:
    DecodeEntry* first_ = nullptr;
    uint32_t width_ = 0;
};

}  // namespace unzip
