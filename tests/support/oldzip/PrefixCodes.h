// Code lengths from symbol frequencies (Huffman, limited to a longest length) and the
// canonical codes of RFC 1951 for a set of lengths.
#pragma once

#include <cstdint>
#include <vector>

namespace oldzip {

// Lengths for the symbols with a non-zero frequency (0 for the others), none longer than
// `maxLength`. A single used symbol gets length 1.
std::vector<uint32_t> LengthsFromFrequencies(std::vector<uint64_t> frequencies, uint32_t maxLength);

// Canonical codes (most significant bit first) for the lengths, in symbol order.
std::vector<uint32_t> CanonicalCodes(const std::vector<uint32_t>& lengths);

}  // namespace oldzip
