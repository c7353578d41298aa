// The shrink and implode decoders on streams from the test encoders.
#include <gtest/gtest.h>

#include "tests/support/oldzip/BitWriter.h"
#include "tests/support/oldzip/ImplodeEncoder.h"
#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/support/oldzip/ShrinkEncoder.h"
#include "tests/unit/unzip/DecoderTestSupport.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ZipCodes.h"

namespace {

using unzip_test::DecodeSetup;
using unzip_test::RunDecoder;

class OldMethods : public unzip_test::UnzipTest {};

unzip_test::Decoded Exploded(const oldzip::ImplodeResult& packed, size_t size) {
    DecodeSetup setup;
    setup.uncompressedSize = int64_t(size);
    setup.flags = packed.flags;
    return RunDecoder(6, packed.compressed, setup);
}

unzip_test::Decoded Unshrunk(const std::string& packed, size_t size) {
    DecodeSetup setup;
    setup.uncompressedSize = int64_t(size);
    return RunDecoder(1, packed, setup);
}

TEST_F(OldMethods, ImplodeWithAndWithoutLiteralTreeInBothDictionaries) {
    const std::string text = unzip_test::SampleText(150000, 21) + unzip_test::RandomBytes(5000, 2);
    for (bool large : {false, true})
        for (bool literals : {false, true}) {
            oldzip::ImplodeOptions options;
            options.dictionary8K = large;
            options.literalTree = literals;
            const auto packed = oldzip::Implode(text, options);
            ASSERT_GT(packed.matches, 1000u);
            const auto decoded = Exploded(packed, text.size());
            ASSERT_EQ(decoded.result, unzip::ZipOk) << large << literals;
            EXPECT_TRUE(decoded.output == text) << "8K " << large << " literal tree " << literals;
            EXPECT_EQ(decoded.crc, oldzip::ReferenceCrc32(text));
        }
}

TEST_F(OldMethods, ImplodeMatchBeforeTheStartReadsZeros) {
    const std::string text = std::string(40, '\0') + unzip_test::SampleText(1000, 5);
    oldzip::ImplodeOptions options;
    options.matchBeforeStart = true;
    const auto packed = oldzip::Implode(text, options);
    ASSERT_TRUE(packed.usedMatchBeforeStart);
    const auto decoded = Exploded(packed, text.size());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_TRUE(decoded.output == text);
}

TEST_F(OldMethods, ImplodeOfMoreThan200000CompressedBytes) {
    const std::string data = unzip_test::RandomBytes(260000, 33);
    oldzip::ImplodeOptions options;
    options.dictionary8K = true;
    options.literalTree = true;
    const auto packed = oldzip::Implode(data, options);
    ASSERT_GT(packed.compressed.size(), 200000u);
    const auto decoded = Exploded(packed, data.size());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_TRUE(decoded.output == data);
}

TEST_F(OldMethods, ImplodeTreesThatDoNotAddUpAreRefused) {
    const std::string text = unzip_test::SampleText(3000, 1);
    const auto packed = oldzip::Implode(text, {});
    // The length tree's first byte says how many bytes follow; one byte fewer or more
    // leaves the 64 lengths short or long.
    std::string shorter = packed.compressed, longer = packed.compressed;
    shorter[0] = char(uint8_t(shorter[0]) - 1);
    longer[0] = char(uint8_t(longer[0]) + 1);
    oldzip::ImplodeResult broken = packed;
    broken.compressed = shorter;
    EXPECT_EQ(Exploded(broken, text.size()).result, unzip::ZipDataError);
    broken.compressed = longer;
    EXPECT_EQ(Exploded(broken, text.size()).result, unzip::ZipDataError);
}

TEST_F(OldMethods, ImplodeInputEndingEarlyGivesReadError) {
    const std::string text = unzip_test::SampleText(60000, 12);
    auto packed = oldzip::Implode(text, {});
    packed.compressed.resize(packed.compressed.size() / 2);
    EXPECT_EQ(Exploded(packed, text.size()).result, unzip::ZipReadError);
}

TEST_F(OldMethods, ShrinkGrowsToThirteenBitsAndClearsPartially) {
    const std::string text = unzip_test::VariedText(400000, 8);
    const auto packed = oldzip::Shrink(text);
    ASSERT_EQ(packed.largestCodeSize, 13);
    ASSERT_GE(packed.partialClears, 2);
    const auto decoded = Unshrunk(packed.compressed, text.size());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_TRUE(decoded.output == text);
    // Output leaves in pieces of 767 bytes.
    for (size_t i = 0; i + 1 < decoded.writeSizes.size(); ++i) ASSERT_EQ(decoded.writeSizes[i], 767);
}

TEST_F(OldMethods, ShrinkStringsLastSeenLongAgoDecode) {
    // The same text again after more than half a megabyte of other bytes: its codes are
    // still in the table, but their strings are far behind the output.
    const std::string head = unzip_test::VariedText(150000, 5);
    const std::string text = head + unzip_test::RandomBytes(600000, 9) + head;
    oldzip::ShrinkOptions options;
    options.partialClearWhenFull = false;
    const auto decoded = Unshrunk(oldzip::Shrink(text, options).compressed, text.size());
    ASSERT_EQ(decoded.result, unzip::ZipOk);
    EXPECT_TRUE(decoded.output == text);
}

TEST_F(OldMethods, ShrinkAskingForFourteenBitsIsInvalid) {
    oldzip::ShrinkOptions options;
    options.askForFourteenBits = true;
    const std::string text = unzip_test::VariedText(100000, 3);
    const auto packed = oldzip::Shrink(text, options);
    EXPECT_EQ(Unshrunk(packed.compressed, text.size()).result, unzip::ZipDataError);
}

TEST_F(OldMethods, ShrinkControlCodesOtherThanGrowAndClearAreInvalid) {
    oldzip::BitWriter bits;
    bits.Put('a', 9);
    bits.Put(256, 9);
    bits.Put(3, 9);
    bits.Put('b', 9);
    EXPECT_EQ(Unshrunk(bits.Bytes(), 2).result, unzip::ZipDataError);
}

TEST_F(OldMethods, ShrinkCodeChainsThatLoopEndSafely) {
    // 'a', then code 257 before it is defined ("aa"), a partial clear that frees 257,
    // 257 again (now defined as extending itself), a clear that can free nothing, and
    // 257 once more: its chain loops, and the walk must stop rather than run forever.
    oldzip::BitWriter bits;
    bits.Put('a', 9);
    for (int i = 0; i < 3; ++i) {
        bits.Put(257, 9);
        bits.Put(256, 9);
        bits.Put(2, 9);
    }
    EXPECT_EQ(Unshrunk(bits.Bytes(), 100000).result, unzip::ZipDataError);
}

TEST_F(OldMethods, ShrunkMemberOfUnknownSizeIsRefused) {
    DecodeSetup setup;
    setup.flags = unzip::kFlagDataDescriptor;
    setup.compressedSize = unzip::kUnknownSize;
    setup.uncompressedSize = unzip::kUnknownSize;
    const auto decoded = RunDecoder(1, oldzip::Shrink("abcabcabc").compressed, setup);
    EXPECT_EQ(decoded.result, unzip::ZipUnsupported);
    EXPECT_TRUE(decoded.output.empty());
}

TEST_F(OldMethods, ShrinkSizeLargerThanTheInputStopsAtItsEnd) {
    const std::string text = unzip_test::SampleText(5000, 4);
    DecodeSetup setup;
    setup.compressedSize = 2000000000;
    setup.uncompressedSize = int64_t(text.size());
    const auto decoded = RunDecoder(1, oldzip::Shrink(text).compressed, setup);
    EXPECT_EQ(decoded.result, unzip::ZipReadError);
}

}  // namespace
