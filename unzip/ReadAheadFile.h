// An archive opened for reading, read from the system in large pieces: the decoders take
// their input 4,096 bytes at a time, and one system call per 4,096 bytes costs more than
// decoding them. The pieces grow from 4 KB to 64 KB, so that a member of a few bytes
// does not read 64 KB. Reads give what the file itself would give (the same bytes and counts,
// the same end; a failure as soon as the piece that holds it is read); large reads with
// nothing buffered go straight to the file.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/Platform.h"

namespace unzip {

class ReadAheadFile : public plat::File {
public:
    static constexpr int64_t kPiece = 65536;
    static constexpr int64_t kFirstPiece = 4096;

    explicit ReadAheadFile(std::unique_ptr<plat::File> file)
        : file_(std::move(file)), buffer_(new uint8_t[kPiece]) {}

    int64_t Read(void* buffer, int64_t count) override {
        auto* out = static_cast<uint8_t*>(buffer);
        int64_t total = 0;
        while (total < count) {
            if (next_ == end_) {
                int64_t from = kUnknown;
                if (count - total >= kPiece / 2) {
                    const int64_t got = ReadFromFile(out + total, count - total, from);
                    return got < 0 ? -1 : total + got;
                }
                // A small member needs little more than its first piece; a large one soon
                // reads whole pieces.
                const int64_t got = ReadFromFile(buffer_.get(), piece_, from);
                piece_ = std::min(piece_ * 2, kPiece);
                if (got < 0 || from < 0) return -1;
                if (got == 0) break;
                start_ = from;
                end_ = got;
            }
            const int64_t take = std::min(count - total, end_ - next_);
            std::memcpy(out + total, buffer_.get() + next_, size_t(take));
            next_ += take;
            total += take;
        }
        return total;
    }
    int64_t Write(const void* buffer, int64_t count) override {
        Drop();
        filePosition_ = kUnknown;
        return file_->Write(buffer, count);
    }
    // A place inside the piece read last is reached without the system: the members of
    // an archive follow each other.
    bool Seek(int64_t position) override {
        if (end_ > 0 && position >= start_ && position <= start_ + end_) {
            next_ = position - start_;
            return true;
        }
        next_ = end_ = 0;
        const bool moved = file_->Seek(position);
        filePosition_ = moved ? position : kUnknown;
        return moved;
    }
    int64_t Position() override {
        const int64_t position = FilePosition();
        return position < 0 ? position : position - (end_ - next_);
    }
    int64_t Size() override { return file_->Size(); }
    bool Truncate() override {
        Drop();
        filePosition_ = kUnknown;
        return file_->Truncate();
    }

private:
    static constexpr int64_t kUnknown = -1;

    // Where the file itself stands, asked of the system only when not known.
    int64_t FilePosition() {
        if (filePosition_ == kUnknown) filePosition_ = file_->Position();
        return filePosition_;
    }

    // Reads from the file itself, nothing being held (the file stands just past a held
    // piece), and notes where the file then stands; `from` is where the read began.
    int64_t ReadFromFile(void* into, int64_t count, int64_t& from) {
        next_ = end_ = 0;
        from = FilePosition();
        const int64_t got = file_->Read(into, count);
        filePosition_ = got < 0 || from < 0 ? kUnknown : from + got;
        return got;
    }

    // Forgets what was read ahead, putting the file back where the reader is.
    void Drop() {
        if (next_ != end_) file_->Seek(Position());
        next_ = end_ = 0;
    }

    std::unique_ptr<plat::File> file_;
    std::unique_ptr<uint8_t[]> buffer_;
    int64_t next_ = 0;
    int64_t end_ = 0;
    int64_t start_ = 0;  // where the piece in the buffer begins in the file
    int64_t piece_ = kFirstPiece;
    int64_t filePosition_ = kUnknown;
};

}  // namespace unzip
