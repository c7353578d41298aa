// The virtual machine's files, folders and disks, on the host's.
#include "platform/host/HostPlatform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "platform/Paths.h"

namespace plat {

namespace {

bool HostIsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HostIsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The bytes in the files below a host folder.
uint64_t BytesIn(const std::string& hostFolder) {
    uint64_t total = 0;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(hostFolder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file(error)) total += it->file_size(error);
    return total;
}

}  // namespace

class HostFile : public File {
public:
    HostFile(int fd, int64_t writeLimit, HostPlatform* machine, std::string hostPath)
        : fd_(fd), writeLimit_(writeLimit), machine_(machine), hostPath_(std::move(hostPath)) {}
    ~HostFile() override { close(fd_); }

    int64_t Read(void* buffer, int64_t count) override {
        int64_t total = 0;
        auto* out = static_cast<char*>(buffer);
        while (total < count) {
            ssize_t got = read(fd_, out + total, static_cast<size_t>(count - total));
            if (got < 0) return -1;
            if (got == 0) break;
            total += got;
        }
        return total;
    }

    int64_t Write(const void* buffer, int64_t count) override {
        if (!machine_->NextOperation() || !machine_->Fits(hostPath_, count)) return -1;
        if (writeLimit_ >= 0) {
            int64_t room = writeLimit_ - written_;
            if (room <= 0) return -1;
            if (count > room) count = room;
        }
        int64_t total = 0;
        auto* in = static_cast<const char*>(buffer);
        while (total < count) {
            ssize_t put = write(fd_, in + total, static_cast<size_t>(count - total));
            if (put <= 0) return -1;
            total += put;
        }
        written_ += total;
        return total;
    }

    bool Seek(int64_t position) override { return lseek(fd_, position, SEEK_SET) == position; }
    int64_t Position() override { return lseek(fd_, 0, SEEK_CUR); }
    int64_t Size() override {
        struct stat st {};
        return fstat(fd_, &st) == 0 ? st.st_size : -1;
    }
    bool Truncate() override {
        off_t at = lseek(fd_, 0, SEEK_CUR);
        return at >= 0 && ftruncate(fd_, at) == 0;
    }
    bool SetDosTime(uint16_t dosDate, uint16_t dosTime) override {
        const std::optional<std::time_t> when = machine_->HostTimeOf(dosDate, dosTime);
        if (!when) return false;
        const timespec times[2] = {{*when, 0}, {*when, 0}};
        return futimens(fd_, times) == 0;
    }

private:
    int fd_;
    int64_t writeLimit_;  // -1: no limit
    int64_t written_ = 0;
    HostPlatform* machine_;
    std::string hostPath_;
};

bool HostPlatform::FileExists(const std::string& path) { return HostIsFile(HostPath(path)); }

bool HostPlatform::DirectoryExists(const std::string& path) {
    return HostIsDirectory(HostPath(path));
}

std::unique_ptr<File> HostPlatform::Open(const std::string& path, OpenMode mode) {
    if (IsFaulty(failOpen_, path)) return nullptr;
    std::string host = HostPath(path);
    // Opening a folder to read succeeds on the host; the other modes fail on their own.
    if (mode == OpenMode::Read && HostIsDirectory(host)) return nullptr;
    int flags = 0;
    switch (mode) {
        case OpenMode::Read: flags = O_RDONLY; break;
        case OpenMode::ReadWrite: flags = O_RDWR; break;
        case OpenMode::Create: flags = O_RDWR | O_CREAT | O_TRUNC; break;
        case OpenMode::CreateNew: flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW; break;
        case OpenMode::Append: flags = O_WRONLY | O_CREAT | O_APPEND; break;
        case OpenMode::AppendDurable: flags = O_WRONLY | O_CREAT | O_APPEND | O_DSYNC; break;
    }
    int fd = -1;
    const auto attempt = [&] {
        if (mode != OpenMode::Read && IsHeld(path)) return FileAttempt::Held;
        if (mode != OpenMode::Read && !NextOperation()) return FileAttempt::Failed;
        fd = ::open(host.c_str(), flags | O_CLOEXEC, 0644);
        return fd < 0 ? FileAttempt::Failed : FileAttempt::Done;
    };
    if (mode == OpenMode::Create || mode == OpenMode::CreateNew)
        WaitingWhileHeld(path, attempt);
    else
        attempt();
    if (fd < 0) return nullptr;
    int64_t limit = mode == OpenMode::Read ? -1 : WriteLimitFor(path);
    return std::make_unique<HostFile>(fd, limit, this, host);
}

bool HostPlatform::RemoveFile(const std::string& path) {
    std::string host = HostPath(path);
    // As on Windows, the running program's file can be renamed but not removed.
    if (host == HostPath(moduleFileName_)) return false;
    if (!HostIsFile(host)) return false;
    return WaitingWhileHeld(path, [&] {
        if (IsHeld(path)) return FileAttempt::Held;
        return NextOperation() && unlink(host.c_str()) == 0 ? FileAttempt::Done : FileAttempt::Failed;
    });
}

bool HostPlatform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    std::string source = HostPath(from), target = HostPath(to);
    if (!HostIsFile(source) && !HostIsDirectory(source)) return false;
    if (!replace && (HostIsFile(target) || HostIsDirectory(target))) return false;
    // The note names the file that is held: the one replaced, or else the one moved.
    return WaitingWhileHeld(IsHeld(to) ? to : from, [&] {
        if (IsHeld(from) || IsHeld(to)) return FileAttempt::Held;
        return NextOperation() && rename(source.c_str(), target.c_str()) == 0 ? FileAttempt::Done
                                                                                : FileAttempt::Failed;
    });
}

bool HostPlatform::MakeDirectory(const std::string& path) {
    if (IsFaulty(failCreate_, path) || !NextOperation()) return false;
    return mkdir(HostPath(path).c_str(), 0755) == 0;
}

bool HostPlatform::RemoveEmptyDirectory(const std::string& path) {
    if (!NextOperation()) return false;
    return rmdir(HostPath(path).c_str()) == 0;
}

std::optional<uint64_t> HostPlatform::FreeSpace(const std::string& path) {
    const std::string absolute = Absolute(path);
    if (absolute.size() > 1 && IsSeparator(absolute[0]) && HostIsDirectory(AsWritten(absolute).driveFolder))
        return uint64_t(1) << 40;  // a share has plenty of room
    if (absolute.size() < 2 || absolute[1] != ':') return std::nullopt;
    auto drive = drives_.find(static_cast<char>(ToUpperAscii(absolute.substr(0, 1))[0]));
    if (drive == drives_.end()) return std::nullopt;
    if (!drive->second.quota) return uint64_t(1) << 40;  // plenty: a terabyte
    const uint64_t used = BytesIn(drive->second.hostFolder);
    return used >= *drive->second.quota ? 0 : *drive->second.quota - used;
}

bool HostPlatform::Fits(const std::string& hostPath, int64_t bytes) const {
    for (const auto& [letter, drive] : drives_) {
        if (!drive.quota || hostPath.compare(0, drive.hostFolder.size() + 1, drive.hostFolder + "/") != 0)
            continue;
        return BytesIn(drive.hostFolder) + uint64_t(bytes) <= *drive.quota;
    }
    return true;
}

bool HostPlatform::FileInUse(const std::string& path) { return FileExists(path) && IsHeld(path); }

std::vector<DirEntry> HostPlatform::ListDirectory(const std::string& path) {
    std::vector<DirEntry> entries;
    std::string host = HostPath(path);
    DIR* dir = opendir(host.c_str());
    if (!dir) return entries;
    const int folder = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // As under Wine, a name that begins with a dot is a hidden entry.
        const bool hidden = name[0] == '.';
        // A folder needs no size: the listing's own type saves a call per folder.
        if (entry->d_type == DT_DIR) {
            entries.push_back({name, true, 0, hidden});
            continue;
        }
        struct stat st {};
        if (fstatat(folder, entry->d_name, &st, 0) != 0) continue;
        entries.push_back({name, S_ISDIR(st.st_mode), S_ISDIR(st.st_mode) ? 0 : st.st_size, hidden});
    }
    closedir(dir);
    return entries;
}

std::optional<std::time_t> HostPlatform::HostTimeOf(uint16_t dosDate, uint16_t dosTime) {
    std::tm local{};
    local.tm_year = ((dosDate >> 9) & 0x7F) + 80;
    local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    local.tm_mday = dosDate & 0x1F;
    local.tm_hour = (dosTime >> 11) & 0x1F;
    local.tm_min = (dosTime >> 5) & 0x3F;
    local.tm_sec = (dosTime & 0x1F) * 2;
    local.tm_isdst = -1;
    if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 ||
        local.tm_min > 59 || local.tm_sec > 59)
        return std::nullopt;
    // Local time changes its offset only on whole minutes; members written together
    // mostly share their minute, and each conversion reads the zone's rules again.
    const uint32_t minute = uint32_t(dosDate) << 16 | (dosTime & ~0x1Fu);
    if (minute != lastMinute_.key) {
        local.tm_sec = 0;
        const std::time_t start = std::mktime(&local);
        if (start == static_cast<std::time_t>(-1)) return std::nullopt;
        lastMinute_ = {minute, start};
    }
    return lastMinute_.start + (dosTime & 0x1F) * 2;
}

bool HostPlatform::ChangeDirectory(const std::string& path) {
    std::string full = Spelled(path);
    if (!HostIsDirectory(HostPath(full))) return false;
    currentDirectory_ = full.size() == 2 ? full + "\\" : full;
    return true;
}

DriveType HostPlatform::DriveTypeOf(const std::string& letterRoot) {
    if (letterRoot.empty()) return DriveType::NoRootDir;
    const std::string root = unseenLetters_.Reach(letterRoot);
    // A share's root, \\server\share\, is a network drive.
    if (root.size() > 2 && IsSeparator(root[0]) && IsSeparator(root[1])) return DriveType::Remote;
    char letter = static_cast<char>(ToUpperAscii(root.substr(0, 1))[0]);
    auto drive = drives_.find(letter);
    return drive == drives_.end() ? DriveType::NoRootDir : drive->second.type;
}

bool HostPlatform::RemoveFileAtRestart(const std::string& path) {
    if (!NextOperation() || !FileExists(path)) return false;
    Note("REMOVE AT RESTART " + path);
    return true;
}

}  // namespace plat
