// The constant code meanings of RFC 1951, shared by the careful and the fast decoder.
#pragma once

#include <algorithm>
#include <cstdint>

namespace unzip {

// Lengths of codes 257 to 285, then two entries that make codes 286 and 287 invalid.
constexpr uint16_t kLengthBase[31] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,
                                      17, 19, 23, 27, 31, 35, 43, 51, 59,  67,  83,
                                      99, 115, 131, 163, 195, 227, 258, 0, 0};
constexpr uint8_t kLengthExtra[31] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2,  2,  2, 2,
                                      3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 99, 99};
// Distances of codes 0 to 29; a dynamic block may declare 32 distance codes, and the two
// beyond RFC 1951's thirty decode as invalid.
constexpr uint16_t kDistanceBase[32] = {1,    2,    3,    4,    5,    7,     9,     13,
                                        17,   25,   33,   49,   65,   97,    129,   193,
                                        257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                        4097, 6145, 8193, 12289, 16385, 24577, 0,   0};
constexpr uint8_t kDistanceExtra[32] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,  4,
                                        4, 5, 5,  6,  6,  7,  7,  8,  8,  9,  9,
                                        10, 10, 11, 11, 12, 12, 13, 13, 99, 99};
constexpr uint8_t kInvalidExtra = 99;

constexpr uint32_t kLiteralLengthCodes = 288;
constexpr uint32_t kDistanceCodes = 32;
constexpr uint32_t kFixedDistanceCodes = 30;
constexpr uint32_t kEndOfBlockSymbol = 256;
constexpr uint32_t kFirstLengthSymbol = 257;
constexpr uint32_t kLongestMatch = 258;

// The code lengths of a fixed block's literal/length codes (RFC 1951, 3.2.6).
inline void FixedLiteralLengths(uint16_t (&lengths)[kLiteralLengthCodes]) {
    std::fill(lengths, lengths + 144, 8);
    std::fill(lengths + 144, lengths + 256, 9);
    std::fill(lengths + 256, lengths + 280, 7);
    std::fill(lengths + 280, lengths + 288, 8);
}
// A fixed block's distance codes all have five bits.
constexpr uint16_t kFixedDistanceLength = 5;

}  // namespace unzip
