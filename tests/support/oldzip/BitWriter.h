// Packs bits least significant first into bytes, the order of every ZIP method.
#pragma once

#include <cstdint>
#include <string>

namespace oldzip {

class BitWriter {
public:
    void Put(uint32_t value, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            if (bitCount_ == 0) bytes_.push_back('\0');
            if ((value >> i) & 1) bytes_.back() = char(uint8_t(bytes_.back()) | (1u << bitCount_));
            bitCount_ = (bitCount_ + 1) & 7;
        }
    }
    // Sends a prefix code whose first bit is its most significant one.
    void PutCodeMsbFirst(uint32_t code, uint32_t length) {
        for (uint32_t i = length; i-- > 0;) Put((code >> i) & 1, 1);
    }
    void AlignToByte() { bitCount_ = 0; }
    void PutByte(uint8_t byte) {
        AlignToByte();
        bytes_.push_back(char(byte));
    }
    const std::string& Bytes() const { return bytes_; }
    size_t BitLength() const { return bytes_.size() * 8 - (bitCount_ ? 8 - bitCount_ : 0); }

private:
    std::string bytes_;
    uint32_t bitCount_ = 0;  // bits used in the last byte; 0 when it is full
};

}  // namespace oldzip
