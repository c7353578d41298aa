// Inflate: RFC 1951 deflate streams, decoded block by block into the output window.
#include <algorithm>
#include <cstring>

#include "unzip/BitSources.h"
#include "unzip/DecodeTable.h"
#include "unzip/DeflateCodes.h"
#include "unzip/Decoders.h"
#include "unzip/FastInflate.h"
#include "unzip/InflateOutput.h"
#include "unzip/WindowCopy.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

// The order in which a dynamic block sends its code-length code lengths.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

// Lookup widths of the first-level tables.
constexpr uint32_t kDynamicLiteralWidth = 9;
constexpr uint32_t kDynamicDistanceWidth = 6;
constexpr uint32_t kFixedLiteralWidth = 7;
constexpr uint32_t kFixedDistanceWidth = 5;
constexpr uint32_t kCodeLengthWidth = 7;

constexpr int32_t kEndOfBlock = 1;  // step result: the block's end-of-block code was read

// Members smaller than this decode too few literals to pay for pairing them in the fast
// table (2,048 entries to look at for every dynamic block).
constexpr int64_t kPairingPaysFrom = 32768;
// Below this size a member's few codes decode faster with the careful step alone than
// after building the fast tables (2,304 entries for every dynamic block).
constexpr int64_t kFastTablesPayFrom = 1024;

struct BlockTables {
    const DecodeEntry* literal;
    uint32_t literalWidth;
    const DecodeEntry* distance;
    uint32_t distanceWidth;
};

// Decodes one literal, match or end of block: 0 to go on, kEndOfBlock, or a failure.
template <class Bits>
inline int32_t InflateStep(Bits& bits, InflateOutput& output, const BlockTables& tables) {
    const DecodeEntry* code = DecodeCode<false>(bits, tables.literal, tables.literalWidth);
    if (!code) return ZipDataError;
    if (code->op == kOpLiteral) {
        output.Bytes()[output.position++] = uint8_t(code->value);
        return ZipOk;
    }
    if (code->op == kOpEndOfBlock) return kEndOfBlock;

    const uint32_t length = code->value + TakeNumber(bits, code->op);
    if (!tables.distance) return ZipDataError;
    const DecodeEntry* far = DecodeCode<false>(bits, tables.distance, tables.distanceWidth);
    if (!far) return ZipDataError;
    const uint32_t distance = far->value + TakeNumber(bits, far->op);
    CopyRun(output.Bytes(), output.position, output.position - distance, length);
    output.position += length;
    return ZipOk;
}

// Writes the windows that a step completed, before anything else happens.
inline bool WriteCompleted(MemberContext& member, InflateOutput& output) {
    return output.position < output.Boundary() || output.WriteComplete(member);
}

// Which fast loop runs. A Windows program has only the one of its own width; elsewhere
// the member says, so that the tests run both.
inline bool NarrowFastLoop([[maybe_unused]] const MemberContext& member) {
#if defined(_WIN32)
    return sizeof(void*) < 8;
#else
    return member.narrowFastLoop;
#endif
}

// The fast loop with its bits taken over from the member and handed back.
template <class Bits>
int32_t RunFastLoop(MemberContext& member, InflateOutput& output, uint32_t stop, const FastBlockTables& fast) {
    Bits bits(member);
    const int32_t result = FastDecodeCodes(bits, output.Bytes(), output.position, stop, fast);
    bits.StoreInto(member);
    return result;
}

// Decodes codes until the end of the block: the fast loop wherever it can run (when `fast`
// tables are given), and the careful step for everything it hands back (the ends of input
// blocks, invalid codes).
int32_t DecodeBlockCodes(MemberContext& member, InflateOutput& output, const BlockTables& tables,
                         const FastBlockTables* fast) {
    if (!tables.literal) return ZipDataError;
    for (;;) {
        if (member.abort || member.endOfInput) return member.abort ? ZipUserAbort : ZipReadError;
        const bool narrow = NarrowFastLoop(member);
        if (fast && (narrow ? NarrowRegisterBits::CanLoad(member) : RegisterBits::CanLoad(member))) {
            // Nothing in here reads input, so the flags cannot change while it runs.
            const uint32_t stop = output.Boundary();
            const int32_t fastResult = narrow
                                           ? RunFastLoop<NarrowRegisterBits>(member, output, stop, *fast)
                                           : RunFastLoop<RegisterBits>(member, output, stop, *fast);
            const bool reachedStop = output.position >= stop;
            if (!WriteCompleted(member, output)) return ZipWriteError;
            if (fastResult == kFastEndOfBlock) return ZipOk;
            if (fastResult == kFastDataError) return ZipDataError;
            if (reachedStop) continue;
        }
        MemberBits bits{member};
        const int32_t result = InflateStep(bits, output, tables);
        if (result == kEndOfBlock) return ZipOk;
        if (result != ZipOk) return result;
        if (!WriteCompleted(member, output)) return ZipWriteError;
    }
}

int32_t StoredBlock(MemberContext& member, InflateOutput& output) {
    DumpBits(member, member.bitCount & 7);
    const uint32_t length = TakeBits(member, 16);
    const uint32_t check = TakeBits(member, 16);
    if (length != (~check & 0xFFFF)) return ZipDataError;

    uint8_t* bytes = output.Bytes();
    uint32_t left = length;
    while (left > 0) {
        if (member.abort || member.endOfInput) break;
        uint32_t& position = output.position;
        if (member.bitCount >= 8) {
            bytes[position++] = uint8_t(TakeBits(member, 8));
            --left;
        } else if (member.inputPosition > member.inputLast) {
            bytes[position++] = uint8_t(TakeBits(member, 8));  // refills first
            --left;
        } else {
            // The bit buffer is empty: take bytes straight from the input block.
            member.bitBuffer = 0;
            const uint32_t run =
                std::min({left, uint32_t(member.inputLast - member.inputPosition + 1),
                          output.Boundary() - position});
            std::memcpy(bytes + position, member.input + member.inputPosition, run);
            member.inputPosition += int32_t(run);
            position += run;
            left -= run;
        }
        if (!WriteCompleted(member, output)) return ZipWriteError;
    }
    if (member.abort) return ZipUserAbort;
    if (member.endOfInput) return ZipReadError;
    return ZipOk;
}

// The careful step's tables of RFC 1951's fixed code, built on first use and kept for the
// whole run, as the fast loop's are.
struct FixedTables {
    FixedTables() {
        uint16_t lengths[kLiteralLengthCodes];
        FixedLiteralLengths(lengths);
        verdict = TableVerdict(literal.Build(lengths, kLiteralLengthCodes, kFirstLengthSymbol,
                                             kLengthBase, kLengthExtra, kFixedLiteralWidth),
                               TableUse::FixedLiteral);
        if (verdict != ZipOk) return;
        std::fill(lengths, lengths + kFixedDistanceCodes, kFixedDistanceLength);
        verdict = TableVerdict(distance.Build(lengths, kFixedDistanceCodes, 0, kDistanceBase,
                                              kDistanceExtra, kFixedDistanceWidth),
                               TableUse::MayBeIncomplete);
    }
    DecodeTable literal;
    DecodeTable distance;
    int32_t verdict = ZipOk;
};

int32_t FixedBlock(MemberContext& member, InflateOutput& output) {
    static const FixedTables fixed;
    if (fixed.verdict != ZipOk) return fixed.verdict;
    return DecodeBlockCodes(member, output, {fixed.literal.First(), fixed.literal.Width(),
                                     fixed.distance.First(), fixed.distance.Width()},
                            &FixedFastTables());
}

int32_t DynamicBlock(MemberContext& member, InflateOutput& output, FastBlockTables& fast) {
    const uint32_t literalCount = 257 + TakeBits(member, 5);
    const uint32_t distanceCount = 1 + TakeBits(member, 5);
    const uint32_t codeLengthCount = 4 + TakeBits(member, 4);
    if (literalCount > kLiteralLengthCodes || distanceCount > kDistanceCodes)
        return ZipBadBlockHeader;

    uint16_t lengths[kLiteralLengthCodes + kDistanceCodes] = {};
    for (uint32_t i = 0; i < codeLengthCount; ++i)
        lengths[kCodeLengthOrder[i]] = uint16_t(TakeBits(member, 3));
    const uint32_t total = literalCount + distanceCount;
    {
        DecodeTable codeLengths;
        if (TableVerdict(codeLengths.Build(lengths, 19, 19, nullptr, nullptr, kCodeLengthWidth),
                         TableUse::MustBeComplete) != ZipOk ||
            !codeLengths.First())
            return ZipDataError;
        std::fill(lengths, lengths + 19, 0);

        MemberBits bits{member};
        uint16_t previous = 0;
        uint32_t i = 0;
        while (i < total) {
            const DecodeEntry* code = DecodeCode<false>(bits, codeLengths.First(), codeLengths.Width());
            if (!code) return ZipDataError;
            const uint32_t symbol = code->value;
            if (symbol < 16) {
                lengths[i++] = previous = uint16_t(symbol);
                continue;
            }
            uint32_t repeat;
            uint16_t fill = 0;
            if (symbol == 16) {
                repeat = 3 + TakeBits(member, 2);
                if (i + repeat > total) return ZipBadBlockHeader;
                fill = previous;
            } else if (symbol == 17) {
                repeat = 3 + TakeBits(member, 3);
                if (i + repeat > total) return ZipBadBlockHeader;
            } else {
                repeat = 11 + TakeBits(member, 7);
                if (i + repeat > total) return ZipDataError;
            }
            std::fill(lengths + i, lengths + i + repeat, fill);
            i += repeat;
            previous = fill;
        }
    }

    DecodeTable literal;
    int32_t verdict = TableVerdict(literal.Build(lengths, literalCount, kFirstLengthSymbol, kLengthBase,
                                                 kLengthExtra, kDynamicLiteralWidth),
                                   TableUse::MustBeComplete);
    if (verdict != ZipOk) return verdict;
    DecodeTable distance;
    verdict = TableVerdict(distance.Build(lengths + literalCount, distanceCount, 0, kDistanceBase,
                                          kDistanceExtra, kDynamicDistanceWidth),
                           TableUse::MayBeIncomplete);
    if (verdict != ZipOk) return verdict;

    const BlockTables tables{literal.First(), literal.Width(), distance.First(), distance.Width()};
    if (member.uncompressedSize < kFastTablesPayFrom) return DecodeBlockCodes(member, output, tables, nullptr);
    fast.literal.Build(lengths, literalCount, FastCodeTable::Alphabet::LiteralLength,
                       member.uncompressedSize >= kPairingPaysFrom);
    fast.distance.Build(lengths + literalCount, distanceCount, FastCodeTable::Alphabet::Distance);
    return DecodeBlockCodes(member, output, tables, &fast);
}

}  // namespace

int32_t Inflate(MemberContext& member) {
    member.ResetInput();
    InflateOutput output;
    FastBlockTables dynamicTables;  // rebuilt for every dynamic block, allocated once
    for (;;) {
        const bool last = TakeBits(member, 1) != 0;
        int32_t result;
        switch (TakeBits(member, 2)) {
            case 0: result = StoredBlock(member, output); break;
            case 1: result = FixedBlock(member, output); break;
            case 2: result = DynamicBlock(member, output, dynamicTables); break;
            default: result = ZipDataError; break;
        }
        if (result != ZipOk) return result;
        if (last) {
            return output.WriteRest(member) ? ZipOk : ZipWriteError;
        }
    }
}

}  // namespace unzip
