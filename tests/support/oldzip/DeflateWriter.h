// Raw deflate blocks built by hand (RFC 1951), for the cases an archiver cannot be told to
// make: chosen block types, chosen code lengths, broken headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/oldzip/BitWriter.h"

namespace oldzip {

struct DeflateToken {
    static DeflateToken Literal(uint8_t byte) { return {byte, 0, 0}; }
    static DeflateToken Match(uint32_t length, uint32_t distance) { return {0, length, distance}; }
    uint8_t byte;
    uint32_t length;  // 0 for a literal
    uint32_t distance;
};

std::vector<DeflateToken> LiteralTokens(const std::string& text);

class DeflateWriter {
public:
    void StoredBlock(const std::string& bytes, bool last);
    // A stored block whose NLEN is not the complement of LEN.
    void BrokenStoredBlock(bool last);
    void FixedBlock(const std::vector<DeflateToken>& tokens, bool last);
    // A dynamic block with code lengths made from the tokens' frequencies.
    void DynamicBlock(const std::vector<DeflateToken>& tokens, bool last);
    // A dynamic block with the given lengths (288 literal/length, up to 32 distance);
    // tokens must only use codes that have a length.
    void DynamicBlockWithLengths(const std::vector<DeflateToken>& tokens,
                                 const std::vector<uint32_t>& literalLengths,
                                 const std::vector<uint32_t>& distanceLengths, bool last);
    // Raw bits for headers that no sound writer makes.
    BitWriter& Bits() { return bits_; }
    const std::string& Bytes() const { return bits_.Bytes(); }

private:
    void PutTokens(const std::vector<DeflateToken>& tokens, const std::vector<uint32_t>& litLengths,
                   const std::vector<uint32_t>& litCodes, const std::vector<uint32_t>& distLengths,
                   const std::vector<uint32_t>& distCodes);
    BitWriter bits_;
};

// Length and distance symbols of RFC 1951: symbol, extra bit count, extra value.
struct DeflateSymbol {
    uint32_t symbol, extraBits, extraValue;
};
DeflateSymbol LengthSymbol(uint32_t length);
DeflateSymbol DistanceSymbol(uint32_t distance);

}  // namespace oldzip
