// An output file written to the system in large pieces: the shrink decoder writes its
// output 767 bytes at a time, and one system call per 767 bytes costs more than decoding
// them. Small writes gather in a buffer that goes out when it is full, before any other
// operation, and on Flush. A failure is reported to the write or flush that meets it,
// and to every one after it. The member extraction flushes before it
// judges the member, so a failure is never lost.
#pragma once

#include <cstring>
#include <memory>

#include "platform/Platform.h"

namespace unzip {

class WriteBehindFile : public plat::File {
public:
    static constexpr int64_t kPiece = 65536;

    explicit WriteBehindFile(std::unique_ptr<plat::File> file)
        : file_(std::move(file)), buffer_(new uint8_t[kPiece]) {}

    int64_t Write(const void* data, int64_t count) override {
        if (count < 0 || failed_) return -1;
        const bool large = count >= kPiece / 2;
        if ((large || used_ + count > kPiece) && !Flush()) return -1;
        if (large) {
            const int64_t written = file_->Write(data, count);
            failed_ = written != count;
            return written;
        }
        std::memcpy(buffer_.get() + used_, data, size_t(count));
        used_ += count;
        return count;
    }
    // Writes what is gathered; false when the file took less, then and ever after.
    bool Flush() {
        const int64_t count = used_;
        used_ = 0;
        if (count > 0 && !failed_) failed_ = file_->Write(buffer_.get(), count) != count;
        return !failed_;
    }

    int64_t Read(void* data, int64_t count) override { return Flush() ? file_->Read(data, count) : -1; }
    bool Seek(int64_t position) override { return Flush() && file_->Seek(position); }
    int64_t Position() override { return Flush() ? file_->Position() : -1; }
    int64_t Size() override { return Flush() ? file_->Size() : -1; }
    bool Truncate() override { return Flush() && file_->Truncate(); }
    bool SetDosTime(uint16_t dosDate, uint16_t dosTime) override {
        return Flush() && file_->SetDosTime(dosDate, dosTime);
    }

private:
    std::unique_ptr<plat::File> file_;
    std::unique_ptr<uint8_t[]> buffer_;
    int64_t used_ = 0;
    bool failed_ = false;
};

}  // namespace unzip
