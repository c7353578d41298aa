#include "tools/qunzip/DiscardingPlatform.h"

#include "platform/Paths.h"

namespace qunzip {

namespace {

// Takes every byte and keeps none.
class DiscardedFile : public plat::File {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t count) override {
        position_ += count;
        size_ = std::max(size_, position_);
        return count;
    }
    bool Seek(int64_t position) override {
        position_ = position;
        return true;
    }
    int64_t Position() override { return position_; }
    int64_t Size() override { return size_; }
    bool Truncate() override {
        size_ = position_;
        return true;
    }
    bool SetDosTime(uint16_t, uint16_t) override { return true; }

private:
    int64_t position_ = 0;
    int64_t size_ = 0;
};

}  // namespace

DiscardingPlatform::DiscardingPlatform(plat::Platform& inner, std::string discardedFolder)
    : inner_(inner), discardedFolder_(plat::ToUpperAscii(discardedFolder)) {}

bool DiscardingPlatform::IsDiscarded(const std::string& path) const {
    return plat::ToUpperAscii(path).compare(0, discardedFolder_.size(), discardedFolder_) == 0;
}

bool DiscardingPlatform::FileExists(const std::string& path) {
    return !IsDiscarded(path) && inner_.FileExists(path);
}

bool DiscardingPlatform::DirectoryExists(const std::string& path) {
    return IsDiscarded(path) || inner_.DirectoryExists(path);
}

std::unique_ptr<plat::File> DiscardingPlatform::Open(const std::string& path, plat::OpenMode mode) {
    if (!IsDiscarded(path)) return inner_.Open(path, mode);
    if (mode == plat::OpenMode::Read || mode == plat::OpenMode::ReadWrite) return nullptr;
    return std::make_unique<DiscardedFile>();
}

bool DiscardingPlatform::RemoveFile(const std::string& path) {
    return IsDiscarded(path) || inner_.RemoveFile(path);
}

bool DiscardingPlatform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    return IsDiscarded(to) || inner_.RenameFile(from, to, replace);
}

bool DiscardingPlatform::MakeDirectory(const std::string& path) {
    return IsDiscarded(path) || inner_.MakeDirectory(path);
}

bool DiscardingPlatform::RemoveEmptyDirectory(const std::string& path) {
    return IsDiscarded(path) || inner_.RemoveEmptyDirectory(path);
}

std::vector<plat::DirEntry> DiscardingPlatform::ListDirectory(const std::string& path) {
    if (IsDiscarded(path)) return {};
    return inner_.ListDirectory(path);
}

bool DiscardingPlatform::ChangeDirectory(const std::string& path) {
    return !IsDiscarded(path) && inner_.ChangeDirectory(path);
}

}  // namespace qunzip
