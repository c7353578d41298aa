#include <gtest/gtest.h>

#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/Crc32.h"

namespace {

TEST(Crc32, CheckValueOfTheZipPolynomial) {
    EXPECT_EQ(unzip::Crc32Of("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(unzip::Crc32Of("", 0), 0u);
}

TEST(Crc32, WideStepsAgreeWithTheBitwiseDefinitionAtEveryLengthAndAlignment) {
    const std::string data = unzip_test::RandomBytes(300, 7);
    for (size_t start = 0; start < 9; ++start)
        for (size_t length = 0; length + start <= data.size(); length += 13) {
            const std::string piece = data.substr(start, length);
            ASSERT_EQ(unzip::Crc32Of(piece.data(), piece.size()), oldzip::ReferenceCrc32(piece))
                << "start " << start << " length " << length;
        }
}

TEST(Crc32, FeedingInPiecesGivesTheSameResultAsOneBuffer) {
    const std::string data = unzip_test::RandomBytes(100000, 11);
    uint32_t crc = unzip::kCrcStart;
    for (size_t at = 0; at < data.size(); at += 767)
        crc = unzip::UpdateCrc32(crc, data.data() + at, std::min<size_t>(767, data.size() - at));
    EXPECT_EQ(~crc, oldzip::ReferenceCrc32(data));
}

TEST(Crc32, FoldingAgreesWithTheTablesAtEveryLengthAndAlignment) {
    uint32_t probe = unzip::kCrcStart;
    if (!unzip::UpdateCrc32Folded(probe, nullptr, 0)) GTEST_SKIP() << "no carry-less multiplication";
    const std::string data = unzip_test::RandomBytes(1200, 13);
    for (size_t start = 0; start < 16; ++start)
        for (size_t length = 0; length + start <= data.size(); length += 7) {
            uint32_t folded = 0x12345678u;
            unzip::UpdateCrc32Folded(folded, data.data() + start, length);
            ASSERT_EQ(folded, unzip::UpdateCrc32Sliced(0x12345678u, data.data() + start, length))
                << "start " << start << " length " << length;
        }
}

}  // namespace
