#include "tests/e2e/driver/Bmp.h"

namespace tvdriver {
namespace {

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

int BmpRowStride(int width) { return (width * 3 + 3) / 4 * 4; }

std::vector<uint8_t> BmpHeaders24(int width, int height) {
    const uint32_t imageSize = static_cast<uint32_t>(BmpRowStride(width)) * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.reserve(kBmpHeaderSize);
    // File header.
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, kBmpHeaderSize + imageSize, 4);
    PutLittleEndian(out, 0, 4);  // reserved
    PutLittleEndian(out, kBmpHeaderSize, 4);
    // Information header (BITMAPINFOHEADER).
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<uint32_t>(width), 4);
    PutLittleEndian(out, static_cast<uint32_t>(height), 4);  // positive: bottom-up rows
    PutLittleEndian(out, 1, 2);                               // planes
    PutLittleEndian(out, 24, 2);                              // bits per pixel
    PutLittleEndian(out, 0, 4);                               // BI_RGB, no compression
    PutLittleEndian(out, imageSize, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dots per inch, in dots per metre
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);  // colours used
    PutLittleEndian(out, 0, 4);  // important colours
    return out;
}

}  // namespace tvdriver
