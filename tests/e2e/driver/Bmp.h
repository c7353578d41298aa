// The layout of an uncompressed 24-bit Windows bitmap file: a 14-byte file header, a
// 40-byte information header, then the rows from the bottom of the picture up, each
// padded to a multiple of four bytes, pixels in blue-green-red order.
#pragma once

#include <cstdint>
#include <vector>

namespace tvdriver {

constexpr int kBmpHeaderSize = 14 + 40;

int BmpRowStride(int width);

// Both headers for a picture of `width` x `height` pixels.
std::vector<uint8_t> BmpHeaders24(int width, int height);

}  // namespace tvdriver
