// A file held in memory, for running the decoders without the file system. Writes can
// be made to fail after a number of bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace unzip_test {

class MemoryFile : public plat::File {
public:
    explicit MemoryFile(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override {
        if (position_ >= int64_t(bytes_.size())) return 0;
        const int64_t got = std::min<int64_t>(count, int64_t(bytes_.size()) - position_);
        std::memcpy(buffer, bytes_.data() + position_, size_t(got));
        position_ += got;
        return got;
    }
    int64_t Write(const void* buffer, int64_t count) override {
        if (failAfter_ >= 0 && written_ + count > failAfter_) return -1;
        writeSizes_.push_back(count);
        written_ += count;
        if (position_ + count > int64_t(bytes_.size())) bytes_.resize(size_t(position_ + count));
        std::memcpy(bytes_.data() + position_, buffer, size_t(count));
        position_ += count;
        return count;
    }
    bool Seek(int64_t position) override {
        if (position < 0) return false;
        position_ = position;
        return true;
    }
    int64_t Position() override { return position_; }
    int64_t Size() override { return int64_t(bytes_.size()); }
    bool Truncate() override {
        bytes_.resize(size_t(position_));
        return true;
    }

    void FailWritesAfter(int64_t bytes) { failAfter_ = bytes; }
    const std::string& Bytes() const { return bytes_; }
    const std::vector<int64_t>& WriteSizes() const { return writeSizes_; }

private:
    std::string bytes_;
    int64_t position_ = 0;
    int64_t failAfter_ = -1;
    int64_t written_ = 0;
    std::vector<int64_t> writeSizes_;
};

}  // namespace unzip_test
