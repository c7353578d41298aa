// The fast loop of inflate: while the input block holds a whole step and the output has
// not reached the next write boundary, codes are decoded from packed tables that resolve
// most codes (and many pairs of literals) with one lookup, and matches are copied eight
// or sixteen bytes at a time. Anything unusual (an invalid code) is handed back, unread,
// to the careful step, which keeps every rule and failure code.
#pragma once

#include <cstdint>
#include <vector>

#include "unzip/BitSources.h"

namespace unzip {

// One code table in the fast loop's form, built from the same code lengths as the
// careful table. Entries are 32 bits: the bits they consume with their extra bits, the
// bits of the code alone (or a further table's width), what they are, and a value
// (literal bytes, base, further-table offset).
class FastCodeTable {
public:
    enum class Alphabet { LiteralLength, Distance };
    // Lengths that the careful builder accepted; codes without a meaning stay invalid.
    // Pairs of literals are worth their building only where many literals follow.
    void Build(const uint16_t* lengths, uint32_t count, Alphabet alphabet, bool pairLiterals = true);

    const uint32_t* Entries() const { return entries_.data(); }
    uint32_t Width() const { return width_; }

private:
    std::vector<uint32_t> entries_;
    uint32_t width_ = 0;
};

struct FastBlockTables {
    FastCodeTable literal;
    FastCodeTable distance;
};

// The two fast tables of a fixed block, built once.
const FastBlockTables& FixedFastTables();

// Result of FastDecodeCodes when it read the end-of-block code.
constexpr int32_t kFastEndOfBlock = 1;
// Result of the narrow loop when a match's distance code is invalid after its length was
// taken: the member is damaged, as the careful step would have found at that code.
constexpr int32_t kFastDataError = 2;

// Decodes into `output` (the buffer of InflateOutput) while `bits` can load and the
// position is before `stop`; the last step may end up to InflateOutput::kStepRoom bytes
// past it. Returns 0 when it hands back to the careful step (nothing of the code it
// stopped at consumed), kFastEndOfBlock after the end-of-block code. Never reads input.
int32_t FastDecodeCodes(RegisterBits& bits, uint8_t* output, uint32_t& position, uint32_t stop,
                        const FastBlockTables& tables);
// The same with the bits in 32 bits (MemberContext::narrowFastLoop); it may also return
// kFastDataError.
int32_t FastDecodeCodes(NarrowRegisterBits& bits, uint8_t* output, uint32_t& position, uint32_t stop,
                        const FastBlockTables& tables);

}  // namespace unzip
