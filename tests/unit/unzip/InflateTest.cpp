#include <gtest/gtest.h>

#include <random>

#include "tests/support/oldzip/DeflateWriter.h"
#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/unit/unzip/DecoderTestSupport.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ZipCodes.h"

namespace {

using oldzip::DeflateToken;
using oldzip::DeflateWriter;
using unzip_test::Inflated;

class Inflate : public unzip_test::UnzipTest {};

// Tokens of `pattern` sent once as literals and then as matches of up to 258 bytes at
// the pattern's period, until the output is `total` bytes long.
std::vector<DeflateToken> Periodic(const std::string& pattern, size_t total, std::string* expected) {
    std::vector<DeflateToken> tokens = oldzip::LiteralTokens(pattern);
    *expected = pattern;
    while (expected->size() < total) {
        const uint32_t length = uint32_t(std::min<size_t>(258, total - expected->size()));
        if (length < 3) break;
        tokens.push_back(DeflateToken::Match(length, uint32_t(pattern.size())));
        for (uint32_t i = 0; i < length; ++i) *expected += (*expected)[expected->size() - pattern.size()];
    }
    return tokens;
}

TEST_F(Inflate, SingleFixedBlock) {
    DeflateWriter writer;
    std::vector<DeflateToken> tokens = oldzip::LiteralTokens("abc-");
    tokens.push_back(DeflateToken::Match(8, 4));
    writer.FixedBlock(tokens, true);
    const auto decoded = Inflated(writer.Bytes());
    EXPECT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_EQ(decoded.output, "abc-abc-abc-");
}

TEST_F(Inflate, SeveralDynamicBlocksAndStoredBlocksIncludingAnEmptyOne) {
    const std::string text = unzip_test::SampleText(20000, 3);
    DeflateWriter writer;
    writer.DynamicBlock(oldzip::LiteralTokens(text.substr(0, 7000)), false);
    writer.StoredBlock("", false);
    std::string expected2;
    writer.DynamicBlock(Periodic(text.substr(7000, 300), 9000, &expected2), false);
    writer.StoredBlock(text.substr(100, 5000), false);
    writer.FixedBlock(oldzip::LiteralTokens("end"), true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_EQ(decoded.output, text.substr(0, 7000) + expected2 + text.substr(100, 5000) + "end");
}

TEST_F(Inflate, DistanceOneLengthTwoFiftyEightRepeatsTheLastByte) {
    DeflateWriter writer;
    std::vector<DeflateToken> tokens = oldzip::LiteralTokens("xa");
    tokens.push_back(DeflateToken::Match(258, 1));
    writer.FixedBlock(tokens, true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_EQ(decoded.output, "x" + std::string(259, 'a'));
}

TEST_F(Inflate, MatchesAcrossWindowEndsRepeatTheirPatterns) {
    // Periods that do not divide 32,768 put match sources and destinations across the
    // ends of the written windows in every position; short periods copy overlapping
    // patterns.
    for (size_t period : {150u, 7u, 3u, 32000u}) {
        std::string expected;
        const std::string pattern = unzip_test::RandomBytes(period, uint32_t(period));
        DeflateWriter writer;
        writer.DynamicBlock(Periodic(pattern, 120000, &expected), true);
        const auto decoded = Inflated(writer.Bytes());
        ASSERT_EQ(decoded.result, unzip::ZipOk) << "period " << period;
        ASSERT_EQ(decoded.output.size(), expected.size());
        EXPECT_TRUE(decoded.output == expected) << "period " << period;
    }
}

TEST_F(Inflate, RandomLiteralsAndMatchesUpToTheLongestDistanceDecodeToWhatTheyMean) {
    // Single literals and pairs between matches of every length, many reaching back the
    // whole 32,768 bytes, over several of the points where the decoder moves its history.
    // A few literals are rare bytes, whose long codes (two of them more than 24 bits) are
    // where a fast loop with a narrow bit buffer must load again.
    std::mt19937 random(1995);
    const auto pick = [&random](uint32_t low, uint32_t high) {
        return std::uniform_int_distribution<uint32_t>(low, high)(random);
    };
    std::vector<DeflateToken> tokens;
    std::string expected;
    while (expected.size() < 1000000) {
        for (uint32_t literals = pick(0, 3); literals > 0; --literals) {
            const uint8_t byte = uint8_t(pick(0, 15) ? pick(0, 15) : pick(0, 255));
            tokens.push_back(DeflateToken::Literal(byte));
            expected += char(byte);
        }
        const uint32_t reach = uint32_t(std::min<size_t>(expected.size(), 32768));
        if (reach == 0) continue;
        const uint32_t distance = pick(0, 1) ? reach - pick(0, std::min(reach - 1, 40u)) : pick(1, reach);
        const uint32_t length = pick(0, 3) ? pick(3, 20) : pick(3, 258);
        tokens.push_back(DeflateToken::Match(length, distance));
        for (uint32_t i = 0; i < length; ++i) expected += expected[expected.size() - distance];
    }
    DeflateWriter writer;
    writer.DynamicBlock(tokens, true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    ASSERT_EQ(decoded.output.size(), expected.size());
    EXPECT_TRUE(decoded.output == expected);
}

TEST_F(Inflate, TheLongestCodesWithTheirExtraBitsDecodeAtEveryBitPosition) {
    // Codes of 15 bits: two literals (30 bits), and a length of 227 or more (15 + 5 bits)
    // with the distance 32,768 (15 + 13 bits), each after 0 to 7 one-bit literals, so that
    // they fall at every position of the fast loop's loads.
    std::vector<uint32_t> literal(288, 0), distance(30, 0);
    literal['a'] = 1;
    literal[256] = 2;
    for (uint32_t i = 0; i < 12; ++i) literal['b' + i] = 3 + i;  // lengths 3 to 14
    literal['n'] = 15;
    literal[284] = 15;  // lengths 227 to 257
    for (uint32_t i = 0; i < 14; ++i) distance[i] = 1 + i;
    distance[14] = 15;
    distance[29] = 15;  // distances 24,577 to 32,768
    std::vector<DeflateToken> tokens;
    std::string expected;
    const auto add = [&](char byte, size_t count) {
        for (size_t i = 0; i < count; ++i) tokens.push_back(DeflateToken::Literal(uint8_t(byte)));
        expected.append(count, byte);
    };
    add('a', 32768);
    for (uint32_t round = 0; round < 64; ++round) {
        add('a', round % 8);
        add('n', 2);
        add('a', round / 8);
        const uint32_t length = 227 + round % 31;
        tokens.push_back(DeflateToken::Match(length, 32768));
        for (uint32_t i = 0; i < length; ++i) expected += expected[expected.size() - 32768];
    }
    DeflateWriter writer;
    writer.DynamicBlockWithLengths(tokens, literal, distance, true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_TRUE(decoded.output == expected);
}

TEST_F(Inflate, AnIncompleteDistanceTreeIsAccepted) {
    std::vector<uint32_t> literal(288, 0), distance(30, 0);
    for (int c : {'a', 'b'}) literal[size_t(c)] = 2;
    literal[256] = 2;
    literal[257] = 3;  // length 3
    literal[258] = 3;  // length 4
    distance[0] = 2;   // distance 1
    distance[1] = 2;   // distance 2; half of the distance code space stays unused
    DeflateWriter writer;
    std::vector<DeflateToken> tokens = oldzip::LiteralTokens("ab");
    tokens.push_back(DeflateToken::Match(4, 2));
    tokens.push_back(DeflateToken::Match(3, 1));
    writer.DynamicBlockWithLengths(tokens, literal, distance, true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_EQ(decoded.output, "abababbbb");
}

TEST_F(Inflate, OutputIsWrittenInWholeWindowsWithTheCrcOfAllOfIt) {
    const std::string text = unzip_test::SampleText(100000, 9);
    DeflateWriter writer;
    writer.DynamicBlock(oldzip::LiteralTokens(text), true);
    const auto decoded = Inflated(writer.Bytes());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_EQ(decoded.writeSizes, (std::vector<int64_t>{32768, 32768, 32768, 100000 - 3 * 32768}));
    EXPECT_EQ(decoded.crc, oldzip::ReferenceCrc32(text));
}

// A dynamic block header whose code lengths are sent with the code-length symbols given
// as (symbol, extra bits value) pairs; 257 literal/length and 1 distance code declared.
std::string DynamicHeader(const std::vector<std::pair<uint32_t, uint32_t>>& symbols) {
    DeflateWriter writer;
    oldzip::BitWriter& bits = writer.Bits();
    bits.Put(1, 1);
    bits.Put(2, 2);
    bits.Put(0, 5);
    bits.Put(0, 5);
    bits.Put(8 - 4, 4);
    // Lengths 3 for code-length symbols 16, 17, 18, 0, 8, 7, 9, 6: a complete code.
    for (int i = 0; i < 8; ++i) bits.Put(3, 3);
    const uint32_t order[8] = {0, 6, 7, 8, 9, 16, 17, 18};  // canonical order, codes 0..7
    for (auto [symbol, extra] : symbols) {
        uint32_t code = 0;
        while (order[code] != symbol) ++code;
        bits.PutCodeMsbFirst(code, 3);
        if (symbol == 16) bits.Put(extra, 2);
        if (symbol == 17) bits.Put(extra, 3);
        if (symbol == 18) bits.Put(extra, 7);
    }
    return writer.Bytes() + std::string(8, '\0');
}

TEST_F(Inflate, RepeatsRunningPastTheDeclaredLengths) {
    // 1 + 138 + 116 = 255 lengths of 258 declared, then a repeat of more than 3.
    const std::vector<std::pair<uint32_t, uint32_t>> start = {{8, 0}, {18, 127}, {18, 105}};
    auto with = [&](uint32_t symbol, uint32_t extra) {
        auto symbols = start;
        symbols.push_back({symbol, extra});
        return DynamicHeader(symbols);
    };
    EXPECT_EQ(Inflated(with(16, 3)).result, unzip::ZipBadBlockHeader);
    EXPECT_EQ(Inflated(with(17, 7)).result, unzip::ZipBadBlockHeader);
    EXPECT_EQ(Inflated(with(18, 0)).result, unzip::ZipDataError);
}

TEST_F(Inflate, InvalidStreamsGiveDataError) {
    DeflateWriter brokenStored;
    brokenStored.BrokenStoredBlock(true);
    EXPECT_EQ(Inflated(brokenStored.Bytes()).result, unzip::ZipDataError);

    DeflateWriter reservedType;
    reservedType.Bits().Put(1, 1);
    reservedType.Bits().Put(3, 2);
    EXPECT_EQ(Inflated(reservedType.Bytes() + std::string(4, '\0')).result, unzip::ZipDataError);

    DeflateWriter code286;  // fixed code 11000110: literal/length symbol 286
    code286.Bits().Put(1, 1);
    code286.Bits().Put(1, 2);
    code286.Bits().PutCodeMsbFirst(0xC6, 8);
    EXPECT_EQ(Inflated(code286.Bytes() + std::string(4, '\0')).result, unzip::ZipDataError);

    DeflateWriter distance30;  // fixed distance code 30 does not exist
    distance30.Bits().Put(1, 1);
    distance30.Bits().Put(1, 2);
    distance30.Bits().PutCodeMsbFirst(0x30 + 'a', 8);  // literal 'a'
    distance30.Bits().PutCodeMsbFirst(1, 7);     // symbol 257: length 3
    distance30.Bits().PutCodeMsbFirst(30, 5);
    EXPECT_EQ(Inflated(distance30.Bytes() + std::string(4, '\0')).result, unzip::ZipDataError);

    // Every code-length code length 0: there is no code to read lengths with.
    DeflateWriter noCodeLengths;
    noCodeLengths.Bits().Put(1, 1);
    noCodeLengths.Bits().Put(2, 2);
    noCodeLengths.Bits().Put(0, 14);
    noCodeLengths.Bits().Put(0, 12);
    EXPECT_EQ(Inflated(noCodeLengths.Bytes() + std::string(4, '\0')).result, unzip::ZipDataError);
}

TEST_F(Inflate, InputEndingEarlyGivesReadError) {
    const std::string text = unzip_test::SampleText(50000, 4);
    DeflateWriter writer;
    writer.DynamicBlock(oldzip::LiteralTokens(text), true);
    const std::string cut = writer.Bytes().substr(0, writer.Bytes().size() / 2);
    EXPECT_EQ(Inflated(cut).result, unzip::ZipReadError);

    DeflateWriter stored;
    stored.StoredBlock(text.substr(0, 20000), true);
    EXPECT_EQ(Inflated(stored.Bytes().substr(0, 9000)).result, unzip::ZipReadError);
}

TEST_F(Inflate, AFailedWriteStopsAtOnce) {
    const std::string text = unzip_test::SampleText(100000, 8);
    DeflateWriter writer;
    writer.DynamicBlock(oldzip::LiteralTokens(text), true);
    unzip_test::DecodeSetup setup;
    setup.failWritesAfter = 40000;
    const auto decoded = unzip_test::RunDecoder(8, writer.Bytes(), setup);
    EXPECT_EQ(decoded.result, unzip::ZipWriteError);
    EXPECT_EQ(decoded.writeSizes, std::vector<int64_t>{32768});
}

TEST_F(Inflate, TheAbortKeyIsNoticedWhenProgressMoves) {
    int keyChecks = 0;
    unzip::UnzipHooks hooks;
    hooks.isKeyDown = [&keyChecks](int key) { return key == 27 && ++keyChecks >= 3; };
    unzip::SetUnzipHooks(hooks);
    const std::string data = unzip_test::RandomBytes(300000, 6);
    DeflateWriter writer;
    for (size_t at = 0; at < data.size(); at += 60000)
        writer.StoredBlock(data.substr(at, 60000), at + 60000 >= data.size());
    unzip_test::DecodeSetup setup;
    setup.notifyId = 27;
    const auto decoded = unzip_test::RunDecoder(8, writer.Bytes(), setup);
    EXPECT_EQ(decoded.result, unzip::ZipUserAbort);
    EXPECT_EQ(keyChecks, 3);
    EXPECT_LT(decoded.output.size(), data.size());
}

}  // namespace
