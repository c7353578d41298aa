#include "tests/support/oldzip/DeflateWriter.h"

#include <algorithm>

#include "tests/support/oldzip/PrefixCodes.h"

namespace oldzip {

namespace {

constexpr uint32_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint32_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint32_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,   25,
                                        33,   49,   65,   97,   129,  193,   257,   385,   513,  769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint32_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint32_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
constexpr uint32_t kEndOfBlock = 256;

std::vector<uint32_t> FixedLiteralLengths() {
    std::vector<uint32_t> lengths(288);
    for (uint32_t i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    return lengths;
}

}  // namespace

std::vector<DeflateToken> LiteralTokens(const std::string& text) {
    std::vector<DeflateToken> tokens;
    for (char c : text) tokens.push_back(DeflateToken::Literal(uint8_t(c)));
    return tokens;
}

DeflateSymbol LengthSymbol(uint32_t length) {
    uint32_t i = 28;
    while (kLengthBase[i] > length) --i;
    return {257 + i, kLengthExtra[i], length - kLengthBase[i]};
}

DeflateSymbol DistanceSymbol(uint32_t distance) {
    uint32_t i = 29;
    while (kDistanceBase[i] > distance) --i;
    return {i, kDistanceExtra[i], distance - kDistanceBase[i]};
}

void DeflateWriter::StoredBlock(const std::string& bytes, bool last) {
    bits_.Put(last ? 1 : 0, 1);
    bits_.Put(0, 2);
    bits_.AlignToByte();
    const uint32_t length = uint32_t(bytes.size());
    bits_.Put(length, 16);
    bits_.Put(~length & 0xFFFF, 16);
    for (char c : bytes) bits_.Put(uint8_t(c), 8);
}

void DeflateWriter::BrokenStoredBlock(bool last) {
    bits_.Put(last ? 1 : 0, 1);
    bits_.Put(0, 2);
    bits_.AlignToByte();
    bits_.Put(5, 16);
    bits_.Put(5, 16);
    for (int i = 0; i < 5; ++i) bits_.Put('x', 8);
}

void DeflateWriter::PutTokens(const std::vector<DeflateToken>& tokens,
                              const std::vector<uint32_t>& litLengths,
                              const std::vector<uint32_t>& litCodes,
                              const std::vector<uint32_t>& distLengths,
                              const std::vector<uint32_t>& distCodes) {
    for (const DeflateToken& token : tokens) {
        if (token.length == 0) {
            bits_.PutCodeMsbFirst(litCodes[token.byte], litLengths[token.byte]);
            continue;
        }
        const DeflateSymbol length = LengthSymbol(token.length);
        bits_.PutCodeMsbFirst(litCodes[length.symbol], litLengths[length.symbol]);
        bits_.Put(length.extraValue, length.extraBits);
        const DeflateSymbol distance = DistanceSymbol(token.distance);
        bits_.PutCodeMsbFirst(distCodes[distance.symbol], distLengths[distance.symbol]);
        bits_.Put(distance.extraValue, distance.extraBits);
    }
    bits_.PutCodeMsbFirst(litCodes[kEndOfBlock], litLengths[kEndOfBlock]);
}

void DeflateWriter::FixedBlock(const std::vector<DeflateToken>& tokens, bool last) {
    bits_.Put(last ? 1 : 0, 1);
    bits_.Put(1, 2);
    const std::vector<uint32_t> litLengths = FixedLiteralLengths();
    const std::vector<uint32_t> distLengths(30, 5);
    PutTokens(tokens, litLengths, CanonicalCodes(litLengths), distLengths, CanonicalCodes(distLengths));
}

void DeflateWriter::DynamicBlock(const std::vector<DeflateToken>& tokens, bool last) {
    std::vector<uint64_t> litCounts(288, 0), distCounts(30, 0);
    for (const DeflateToken& token : tokens) {
        if (token.length == 0) {
            ++litCounts[token.byte];
        } else {
            ++litCounts[LengthSymbol(token.length).symbol];
            ++distCounts[DistanceSymbol(token.distance).symbol];
        }
    }
    litCounts[kEndOfBlock] = 1;
    std::vector<uint32_t> litLengths = LengthsFromFrequencies(litCounts, 15);
    std::vector<uint32_t> distLengths = LengthsFromFrequencies(distCounts, 15);
    if (std::all_of(distLengths.begin(), distLengths.end(), [](uint32_t l) { return l == 0; }))
        distLengths[0] = 1;
    DynamicBlockWithLengths(tokens, litLengths, distLengths, last);
}

void DeflateWriter::DynamicBlockWithLengths(const std::vector<DeflateToken>& tokens,
                                            const std::vector<uint32_t>& literalLengths,
                                            const std::vector<uint32_t>& distanceLengths, bool last) {
    uint32_t literalCount = 286;
    while (literalCount > 257 && literalLengths[literalCount - 1] == 0) --literalCount;
    uint32_t distanceCount = uint32_t(distanceLengths.size());
    while (distanceCount > 1 && distanceLengths[distanceCount - 1] == 0) --distanceCount;

    // Code lengths are sent one by one (no repeat codes), coded with their own code.
    std::vector<uint32_t> all(literalLengths.begin(), literalLengths.begin() + literalCount);
    all.insert(all.end(), distanceLengths.begin(), distanceLengths.begin() + distanceCount);
    std::vector<uint64_t> counts(19, 0);
    for (uint32_t length : all) ++counts[length];
    std::vector<uint32_t> clLengths = LengthsFromFrequencies(counts, 7);
    if (std::count_if(clLengths.begin(), clLengths.end(), [](uint32_t l) { return l != 0; }) == 1) {
        // A lone code-length code would leave the code incomplete; give it a partner.
        clLengths[all[0] == 0 ? 1 : 0] = 1;
    }
    const std::vector<uint32_t> clCodes = CanonicalCodes(clLengths);
    uint32_t clCount = 19;
    while (clCount > 4 && clLengths[kCodeLengthOrder[clCount - 1]] == 0) --clCount;

    bits_.Put(last ? 1 : 0, 1);
    bits_.Put(2, 2);
    bits_.Put(literalCount - 257, 5);
    bits_.Put(distanceCount - 1, 5);
    bits_.Put(clCount - 4, 4);
    for (uint32_t i = 0; i < clCount; ++i) bits_.Put(clLengths[kCodeLengthOrder[i]], 3);
    for (uint32_t length : all) bits_.PutCodeMsbFirst(clCodes[length], clLengths[length]);

    PutTokens(tokens, literalLengths, CanonicalCodes(literalLengths), distanceLengths,
              CanonicalCodes(distanceLengths));
}

}  // namespace oldzip
