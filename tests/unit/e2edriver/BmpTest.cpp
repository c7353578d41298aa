#include "tests/e2e/driver/Bmp.h"

#include <gtest/gtest.h>

namespace tvdriver {
namespace {

uint32_t Field(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes.at(offset + static_cast<size_t>(i));
    return value;
}

TEST(Bmp, RowsArePaddedToFourBytes) {
    EXPECT_EQ(BmpRowStride(1), 4);
    EXPECT_EQ(BmpRowStride(3), 12);   // 9 bytes of pixels, 3 of padding
    EXPECT_EQ(BmpRowStride(4), 12);   // no padding needed
    EXPECT_EQ(BmpRowStride(1024), 3072);
}

TEST(Bmp, HeadersOfAScreen) {
    const std::vector<uint8_t> headers = BmpHeaders24(1024, 768);
    ASSERT_EQ(headers.size(), size_t{kBmpHeaderSize});
    EXPECT_EQ(headers[0], 'B');
    EXPECT_EQ(headers[1], 'M');
    EXPECT_EQ(Field(headers, 2, 4), 54u + 3072u * 768u);  // file size
    EXPECT_EQ(Field(headers, 10, 4), 54u);                // where the pixels start
    EXPECT_EQ(Field(headers, 14, 4), 40u);                // BITMAPINFOHEADER
    EXPECT_EQ(Field(headers, 18, 4), 1024u);
    EXPECT_EQ(Field(headers, 22, 4), 768u);               // positive: bottom-up
    EXPECT_EQ(Field(headers, 26, 2), 1u);
    EXPECT_EQ(Field(headers, 28, 2), 24u);
    EXPECT_EQ(Field(headers, 30, 4), 0u);                 // uncompressed
    EXPECT_EQ(Field(headers, 34, 4), 3072u * 768u);
}

TEST(Bmp, PaddingCountsInTheSizes) {
    const std::vector<uint8_t> headers = BmpHeaders24(3, 2);
    EXPECT_EQ(Field(headers, 2, 4), 54u + 24u);
    EXPECT_EQ(Field(headers, 34, 4), 24u);
}

}  // namespace
}  // namespace tvdriver
