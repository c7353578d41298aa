// A file held in memory, for running the engine without the file system: on its own
// bytes, or on contents shared with an in-memory file system (an open file keeps its
// data when its name is renamed or removed, as on Windows). Writes can be made to fail
// after a number of bytes, or past a size, as on a full disk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace unzip_test {

class MemoryFile : public plat::File {
public:
    explicit MemoryFile(std::string bytes = {})
        : bytes_(std::make_shared<std::string>(std::move(bytes))) {}
    MemoryFile(std::shared_ptr<std::string> bytes, bool writable, bool append)
        : bytes_(std::move(bytes)), writable_(writable), append_(append) {}

    int64_t Read(void* buffer, int64_t count) override {
        const int64_t got = std::clamp<int64_t>(int64_t(bytes_->size()) - position_, 0, count);
        if (got > 0) std::memcpy(buffer, bytes_->data() + position_, size_t(got));
        position_ += got;
        return got;
    }
    int64_t Write(const void* buffer, int64_t count) override {
        if (!writable_) return -1;
        if (append_) position_ = int64_t(bytes_->size());
        if (failAfter_ >= 0 && written_ + count > failAfter_) return -1;
        if (sizeLimit_ >= 0 && position_ + count > sizeLimit_) return -1;
        writeSizes_.push_back(count);
        written_ += count;
        if (position_ + count > int64_t(bytes_->size())) bytes_->resize(size_t(position_ + count));
        std::memcpy(bytes_->data() + position_, buffer, size_t(count));
        position_ += count;
        return count;
    }
    bool Seek(int64_t position) override {
        if (position < 0) return false;
        position_ = position;
        return true;
    }
    int64_t Position() override { return position_; }
    int64_t Size() override { return int64_t(bytes_->size()); }
    bool Truncate() override {
        if (!writable_) return false;
        bytes_->resize(size_t(std::min<int64_t>(position_, int64_t(bytes_->size()))));
        return true;
    }

    void FailWritesAfter(int64_t bytes) { failAfter_ = bytes; }
    void LimitSize(int64_t bytes) { sizeLimit_ = bytes; }
    const std::string& Bytes() const { return *bytes_; }
    const std::vector<int64_t>& WriteSizes() const { return writeSizes_; }

private:
    std::shared_ptr<std::string> bytes_;
    bool writable_ = true;
    bool append_ = false;
    int64_t position_ = 0;
    int64_t failAfter_ = -1;
    int64_t sizeLimit_ = -1;
    int64_t written_ = 0;
    std::vector<int64_t> writeSizes_;
};

}  // namespace unzip_test
