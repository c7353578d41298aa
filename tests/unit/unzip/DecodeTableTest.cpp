#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/oldzip/PrefixCodes.h"
#include "unzip/DecodeTable.h"

namespace {

using unzip::DecodeEntry;
using unzip::DecodeTable;

// Follows the tables for a code sent most significant bit first, the way a decoder reads
// it from a least-significant-first bit buffer; returns the final entry and the bits used.
const DecodeEntry* Lookup(const DecodeTable& table, uint32_t code, uint32_t length, uint32_t* used) {
    uint64_t bits = 0;
    for (uint32_t i = 0; i < length; ++i) bits |= uint64_t((code >> (length - 1 - i)) & 1) << i;
    const DecodeEntry* entry = table.First() + (bits & ((1u << table.Width()) - 1));
    *used = 0;
    while (entry->op > unzip::kOpLiteral && entry->op != unzip::kOpInvalid) {
        *used += entry->bits;
        bits >>= entry->bits;
        const uint32_t more = entry->op - unzip::kOpLiteral;
        entry = entry->next + (bits & ((1u << more) - 1));
    }
    *used += entry->bits;
    return entry;
}

std::vector<uint16_t> ToLengths(const std::vector<uint32_t>& lengths) {
    return std::vector<uint16_t>(lengths.begin(), lengths.end());
}

TEST(BuildDecodeTable, EveryCanonicalCodeDecodesToItsSymbolWithItsLength) {
    std::mt19937 generator(5);
    for (uint32_t wantedWidth : {5u, 7u, 9u}) {
        std::vector<uint64_t> counts(288);
        for (uint64_t& c : counts) c = (generator() % 3 == 0) ? 0 : 1 + (generator() % 2000) * (generator() % 40);
        counts[256] = 1;
        const std::vector<uint32_t> lengths = oldzip::LengthsFromFrequencies(counts, 15);
        const std::vector<uint32_t> codes = oldzip::CanonicalCodes(lengths);
        const std::vector<uint16_t> lengths16 = ToLengths(lengths);
        std::vector<uint16_t> bases(31);
        std::vector<uint8_t> extra(31);
        for (int i = 0; i < 31; ++i) bases[i] = uint16_t(1000 + i), extra[i] = uint8_t(i % 6);

        DecodeTable table;
        ASSERT_EQ(table.Build(lengths16.data(), 288, 257, bases.data(), extra.data(), wantedWidth),
                  unzip::kTableComplete);
        for (uint32_t symbol = 0; symbol < 288; ++symbol) {
            if (!lengths[symbol]) continue;
            uint32_t used = 0;
            const DecodeEntry* entry = Lookup(table, codes[symbol], lengths[symbol], &used);
            ASSERT_EQ(used, lengths[symbol]) << "symbol " << symbol;
            if (symbol < 256) {
                EXPECT_EQ(entry->op, unzip::kOpLiteral);
                EXPECT_EQ(entry->value, symbol);
            } else if (symbol == 256) {
                EXPECT_EQ(entry->op, unzip::kOpEndOfBlock);
            } else {
                EXPECT_EQ(entry->value, 1000 + symbol - 257);
                EXPECT_EQ(entry->op, (symbol - 257) % 6);
            }
        }
    }
}

TEST(BuildDecodeTable, LookupWidthIsKeptWithinTheLengthsPresent) {
    const uint16_t shortCodes[4] = {2, 2, 2, 2};
    DecodeTable narrow;
    ASSERT_EQ(narrow.Build(shortCodes, 4, 4, nullptr, nullptr, 9), unzip::kTableComplete);
    EXPECT_EQ(narrow.Width(), 2u);

    std::vector<uint16_t> longCodes(1024, 10);
    DecodeTable wide;
    ASSERT_EQ(wide.Build(longCodes.data(), 1024, 1024, nullptr, nullptr, 7), unzip::kTableComplete);
    EXPECT_EQ(wide.Width(), 10u);
}

TEST(BuildDecodeTable, EndOfBlockCodeIsResolvedWhereItStarts) {
    // 256 literals of length 9 would want a 9-bit first table; the end-of-block code
    // (length 7 here) cuts it to 7 bits.
    std::vector<uint16_t> lengths(258, 0);
    for (int i = 0; i < 200; ++i) lengths[size_t(i)] = 9;
    lengths[256] = 7;
    lengths[257] = 2;
    const uint16_t base[1] = {3};
    const uint8_t extra[1] = {0};
    DecodeTable table;
    const unzip::TableResult result = table.Build(lengths.data(), 258, 257, base, extra, 9);
    EXPECT_TRUE(result == unzip::kTableComplete || result == unzip::kTableIncomplete);
    EXPECT_EQ(table.Width(), 7u);
    const std::vector<uint32_t> codes = oldzip::CanonicalCodes({lengths.begin(), lengths.end()});
    uint32_t used = 0;
    EXPECT_EQ(Lookup(table, codes[256], 7, &used)->op, unzip::kOpEndOfBlock);
    EXPECT_EQ(used, 7u);
    EXPECT_EQ(Lookup(table, codes[199], 9, &used)->value, 199);
    EXPECT_EQ(used, 9u);
}

TEST(BuildDecodeTable, ReportsBadAndIncompleteCodeSets) {
    const uint16_t tooLong[2] = {17, 1};
    const uint16_t oversubscribed[3] = {1, 1, 1};
    const uint16_t incomplete[3] = {2, 2, 0};
    const uint16_t single[2] = {1, 0};
    const uint16_t none[3] = {0, 0, 0};
    DecodeTable table;
    EXPECT_EQ(table.Build(tooLong, 2, 2, nullptr, nullptr, 7), unzip::kTableBadLengths);
    EXPECT_EQ(table.Build(oversubscribed, 3, 3, nullptr, nullptr, 7), unzip::kTableBadLengths);
    EXPECT_EQ(table.Build(incomplete, 3, 3, nullptr, nullptr, 7), unzip::kTableIncomplete);
    // The unused half of an incomplete code decodes as invalid.
    uint32_t used = 0;
    EXPECT_EQ(Lookup(table, 3, 2, &used)->op, unzip::kOpInvalid);
    // One code of length 1 is accepted as complete (RFC 1951's lone distance code).
    EXPECT_EQ(table.Build(single, 2, 2, nullptr, nullptr, 7), unzip::kTableComplete);
    EXPECT_EQ(table.Build(none, 3, 3, nullptr, nullptr, 7), unzip::kTableComplete);
    EXPECT_EQ(table.First(), nullptr);
    EXPECT_EQ(table.Width(), 0u);
}

TEST(BuildDecodeTable, SymbolsNeedingBasesFailWithoutThem) {
    const uint16_t lengths[4] = {2, 2, 2, 2};
    DecodeTable table;
    EXPECT_EQ(table.Build(lengths, 4, 2, nullptr, nullptr, 7), unzip::kTableBadLengths);
    EXPECT_EQ(table.First(), nullptr);
}

TEST(BuildDecodeTable, SixteenBitCodesGetFurtherTables) {
    // Lengths 1, 2, ..., 15, 16, 16: a complete code as deep as implode allows.
    std::vector<uint16_t> lengths;
    for (uint16_t length = 1; length <= 16; ++length) lengths.push_back(length);
    lengths.push_back(16);
    DecodeTable table;
    ASSERT_EQ(table.Build(lengths.data(), uint32_t(lengths.size()), 256, nullptr, nullptr, 7),
              unzip::kTableComplete);
    const std::vector<uint32_t> codes = oldzip::CanonicalCodes({lengths.begin(), lengths.end()});
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        uint32_t used = 0;
        EXPECT_EQ(Lookup(table, codes[symbol], lengths[symbol], &used)->value, symbol);
        EXPECT_EQ(used, lengths[symbol]);
    }
}

}  // namespace
