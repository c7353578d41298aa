// Files, folders and disks: the kernel's calls.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>

#include "platform/HeldFiles.h"
#include "platform/Paths.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

class Win32File : public File {
public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}

    int64_t Read(void* buffer, int64_t count) override {
        int64_t total = 0;
        auto* out = static_cast<char*>(buffer);
        while (total < count) {
            DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - total, 1 << 30));
            DWORD got = 0;
            if (!ReadFile(handle_.get(), out + total, chunk, &got, nullptr)) return -1;
            if (got == 0) break;
            total += got;
        }
        return total;
    }

    int64_t Write(const void* buffer, int64_t count) override {
        int64_t total = 0;
        auto* in = static_cast<const char*>(buffer);
        while (total < count) {
            DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - total, 1 << 30));
            DWORD put = 0;
            if (!WriteFile(handle_.get(), in + total, chunk, &put, nullptr) || put == 0) return -1;
            total += put;
        }
        return total;
    }

    bool Seek(int64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = position;
        return SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN) != 0;
    }

    int64_t Position() override {
        LARGE_INTEGER zero{}, at{};
        if (!SetFilePointerEx(handle_.get(), zero, &at, FILE_CURRENT)) return -1;
        return at.QuadPart;
    }

    int64_t Size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(handle_.get(), &size) ? size.QuadPart : -1;
    }

    bool Truncate() override { return SetEndOfFile(handle_.get()) != 0; }

    bool SetDosTime(uint16_t dosDate, uint16_t dosTime) override {
        FILETIME local, utc;
        return DosDateTimeToFileTime(dosDate, dosTime, &local) && LocalFileTimeToFileTime(&local, &utc) &&
               SetFileTime(handle_.get(), nullptr, nullptr, &utc) != 0;
    }

private:
    KernelHandle handle_;
};

// Access denied is also the answer for a read-only file, a folder, or a folder without
// rights, which no wait mends: only a file that is there and may be written (or one being
// removed, whose very attributes are refused) is taken as held.
bool MayBeHeld(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_ACCESS_DENIED;
    return !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

// What a call on `paths` came to; read right after it, while its error stands.
FileAttempt Outcome(bool done, std::initializer_list<std::wstring> paths) {
    if (done) return FileAttempt::Done;
    const DWORD why = GetLastError();
    if (why == ERROR_SHARING_VIOLATION || why == ERROR_LOCK_VIOLATION) return FileAttempt::Held;
    if (why == ERROR_ACCESS_DENIED)
        for (const std::wstring& path : paths)
            if (MayBeHeld(path)) return FileAttempt::Held;
    return FileAttempt::Failed;
}

// Whether another program holds `path` so that it cannot be removed or replaced now.
bool HeldAgainstDeletion(const std::wstring& path) {
    KernelHandle file(NoneIfInvalid(CreateFileW(path.c_str(), DELETE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

bool Win32Platform::WaitingWhileHeld(const std::function<std::string()>& heldPath,
                                     const std::function<FileAttempt()>& attempt) {
    return heldFileWaits_.Try(attempt, [](uint32_t milliseconds) { Sleep(milliseconds); },
                        [&] { TellWaitingFor(heldPath()); });
}

std::wstring Win32Platform::Native(const std::string& path) const { return Widen(shares_.Reach(path)); }

bool Win32Platform::FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Native(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::DirectoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Native(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<File> Win32Platform::Open(const std::string& path, OpenMode mode) {
    DWORD access = GENERIC_READ, share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
        case OpenMode::Read: break;
        case OpenMode::ReadWrite: access = GENERIC_READ | GENERIC_WRITE; share = FILE_SHARE_READ; break;
        case OpenMode::Create:
            access = GENERIC_READ | GENERIC_WRITE;
            share = 0;
            disposition = CREATE_ALWAYS;
            break;
        case OpenMode::CreateNew:  // fails on any name that exists, a link included
            access = GENERIC_READ | GENERIC_WRITE;
            share = 0;
            disposition = CREATE_NEW;
            break;
        case OpenMode::Append:
        case OpenMode::AppendDurable:
            access = FILE_APPEND_DATA;
            share = FILE_SHARE_READ;
            disposition = OPEN_ALWAYS;
            break;
    }
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (mode == OpenMode::AppendDurable ? FILE_FLAG_WRITE_THROUGH : 0);
    const std::wstring native = Native(path);
    HANDLE handle = INVALID_HANDLE_VALUE;
    const auto open = [&] {
        handle = CreateFileW(native.c_str(), access, share, nullptr, disposition, flags, nullptr);
        return Outcome(handle != INVALID_HANDLE_VALUE, {native});
    };
    if (mode == OpenMode::Create || mode == OpenMode::CreateNew)
        WaitingWhileHeld([&] { return path; }, open);
    else
        open();
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(handle);
}

bool Win32Platform::RemoveFile(const std::string& path) {
    const std::wstring native = Native(path);
    return WaitingWhileHeld([&] { return path; }, [&] { return Outcome(DeleteFileW(native.c_str()) != 0, {native}); });
}

bool Win32Platform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    const std::wstring source = Native(from), target = Native(to);
    const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    // The note names the file that is held: the one replaced, or else the one moved.
    const auto held = [&] { return replace && HeldAgainstDeletion(target) ? to : from; };
    return WaitingWhileHeld(held, [&] {
        return Outcome(MoveFileExW(source.c_str(), target.c_str(), flags) != 0, {source, target});
    });
}

bool Win32Platform::MakeDirectory(const std::string& path) {
    return CreateDirectoryW(Native(path).c_str(), nullptr) != 0;
}

bool Win32Platform::RemoveEmptyDirectory(const std::string& path) {
    return RemoveDirectoryW(Native(path).c_str()) != 0;
}

std::vector<DirEntry> Win32Platform::ListDirectory(const std::string& path) {
    std::vector<DirEntry> entries;
    std::string pattern = path;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found;
    FindHandle search(NoneIfInvalid(FindFirstFileW(Native(pattern).c_str(), &found)));
    if (!search) return entries;
    do {
        std::string name = Narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        int64_t size = (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        bool hidden = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        entries.push_back({name, isDirectory, isDirectory ? 0 : size, hidden});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

std::string Win32Platform::CurrentDirectory() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(length, L'\0');
    DWORD got = GetCurrentDirectoryW(length, buffer.data());
    buffer.resize(got);
    return Narrow(buffer);
}

bool Win32Platform::ChangeDirectory(const std::string& path) {
    return SetCurrentDirectoryW(Native(path).c_str()) != 0;
}

std::optional<uint64_t> Win32Platform::FreeSpace(const std::string& path) {
    // The call wants a folder; a file's own folder holds it.
    std::string folder = path;
    const DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        folder = ExtractFilePath(path);
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExW(Native(IncludeTrailingBackslash(folder)).c_str(), &available, &total, &free))
        return std::nullopt;
    return available.QuadPart;
}

bool Win32Platform::FileInUse(const std::string& path) {
    // Asked for writing while letting everyone else do anything: only a program that
    // denies writing (or runs from the file) makes this fail.
    KernelHandle file(NoneIfInvalid(CreateFileW(Native(path).c_str(), GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (file) return false;
    const DWORD why = GetLastError();
    return why == ERROR_SHARING_VIOLATION || why == ERROR_LOCK_VIOLATION;
}

DriveType Win32Platform::DriveTypeOf(const std::string& root) {
    switch (GetDriveTypeW(Native(root).c_str())) {
        case DRIVE_NO_ROOT_DIR: return DriveType::NoRootDir;
        case DRIVE_REMOVABLE: return DriveType::Removable;
        case DRIVE_FIXED: return DriveType::Fixed;
        case DRIVE_REMOTE: return DriveType::Remote;
        case DRIVE_CDROM: return DriveType::CdRom;
        case DRIVE_RAMDISK: return DriveType::RamDisk;
        default: return DriveType::Unknown;
    }
}

bool Win32Platform::RemoveFileAtRestart(const std::string& path) {
    return MoveFileExW(Native(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace plat
