#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Paths.h"
#include "platform/win32/DdeClient.h"
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

private:
    KernelHandle handle_;
};

class Win32Library : public Library {
public:
    explicit Win32Library(HMODULE module) : module_(module) {}
    void* Symbol(const std::string& name) override {
        return reinterpret_cast<void*>(GetProcAddress(module_.get(), name.c_str()));
    }
    void* Ordinal(int ordinal) override {
        return reinterpret_cast<void*>(
            GetProcAddress(module_.get(), reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ordinal))));
    }

private:
    ModuleHandle module_;
};

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

// An open registry key under HKEY_LOCAL_MACHINE; none when it cannot be opened.
RegistryKeyHandle RegistryKey(const std::string& key, bool create) {
    std::wstring name = Widen(key);
    HKEY opened = nullptr;
    LONG result = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                           nullptr, &opened, nullptr)
                         : RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ, &opened);
    return RegistryKeyHandle(result == ERROR_SUCCESS ? opened : nullptr);
}

// A started process and its main thread, both released when it goes.
struct StartedProcess {
    KernelHandle process, thread;
};

// Starts the command line with the given show mode; none when it cannot start (a
// command line longer than the platform accepts included: it is refused, never cut).
std::optional<StartedProcess> Start(const std::string& commandLine, int showMode, DWORD flags, size_t longest) {
    std::wstring line = Widen(commandLine);
    if (line.size() > longest) return std::nullopt;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &started))
        return std::nullopt;
    return StartedProcess{KernelHandle(started.hProcess), KernelHandle(started.hThread)};
}

}  // namespace

bool Win32Platform::FileExists(const std::string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::DirectoryExists(const std::string& path) {
    DWORD attributes = Attributes(path);
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
    HANDLE handle = CreateFileW(Widen(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(handle);
}

bool Win32Platform::RemoveFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

bool Win32Platform::RenameFile(const std::string& from, const std::string& to, bool replace) {
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool Win32Platform::MakeDirectory(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool Win32Platform::RemoveEmptyDirectory(const std::string& path) {
    return RemoveDirectoryW(Widen(path).c_str()) != 0;
}

std::vector<DirEntry> Win32Platform::ListDirectory(const std::string& path) {
    std::vector<DirEntry> entries;
    std::string pattern = path;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found;
    FindHandle search(NoneIfInvalid(FindFirstFileW(Widen(pattern).c_str(), &found)));
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

bool Win32Platform::SetFileDosTime(const std::string& path, uint16_t dosDate, uint16_t dosTime) {
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(dosDate, dosTime, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return false;
    KernelHandle file(NoneIfInvalid(CreateFileW(Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    return file && SetFileTime(file.get(), nullptr, nullptr, &utc) != 0;
}

std::string Win32Platform::CurrentDirectory() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(length, L'\0');
    DWORD got = GetCurrentDirectoryW(length, buffer.data());
    buffer.resize(got);
    return Narrow(buffer);
}

bool Win32Platform::ChangeDirectory(const std::string& path) {
    return SetCurrentDirectoryW(Widen(path).c_str()) != 0;
}

std::optional<uint64_t> Win32Platform::FreeSpace(const std::string& path) {
    // The call wants a folder; a file's own folder holds it.
    std::string folder = path;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        folder = ExtractFilePath(path);
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExW(Widen(IncludeTrailingBackslash(folder)).c_str(), &available, &total, &free))
        return std::nullopt;
    return available.QuadPart;
}

bool Win32Platform::FileInUse(const std::string& path) {
    // Asked for writing while letting everyone else do anything: only a program that
    // denies writing (or runs from the file) makes this fail.
    KernelHandle file(NoneIfInvalid(CreateFileW(Widen(path).c_str(), GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (file) return false;
    const DWORD why = GetLastError();
    return why == ERROR_SHARING_VIOLATION || why == ERROR_LOCK_VIOLATION;
}

std::string Win32Platform::ModuleFileName() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD got = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got < buffer.size()) {
            buffer.resize(got);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> Win32Platform::Environment(const std::string& name) {
    std::wstring wide = Widen(name);
    DWORD length = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring buffer(length, L'\0');
    DWORD got = GetEnvironmentVariableW(wide.c_str(), buffer.data(), length);
    buffer.resize(got);
    return Narrow(buffer);
}

std::string Win32Platform::WindowsDirectory() {
    wchar_t buffer[MAX_PATH + 1];
    UINT got = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return Narrow(std::wstring(buffer, got <= MAX_PATH ? got : 0));
}

DriveType Win32Platform::DriveTypeOf(const std::string& root) {
    switch (GetDriveTypeW(Widen(root).c_str())) {
        case DRIVE_NO_ROOT_DIR: return DriveType::NoRootDir;
        case DRIVE_REMOVABLE: return DriveType::Removable;
        case DRIVE_FIXED: return DriveType::Fixed;
        case DRIVE_REMOTE: return DriveType::Remote;
        case DRIVE_CDROM: return DriveType::CdRom;
        case DRIVE_RAMDISK: return DriveType::RamDisk;
        default: return DriveType::Unknown;
    }
}

bool Win32Platform::RegistryKeyExists(const std::string& key) { return bool(RegistryKey(key, false)); }

std::optional<std::string> Win32Platform::RegistryReadString(const std::string& key,
                                                             const std::string& value) {
    RegistryKeyHandle open = RegistryKey(key, false);
    if (!open) return std::nullopt;
    std::wstring name = Widen(value);
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return Narrow(buffer);
}

bool Win32Platform::RegistryWriteString(const std::string& key, const std::string& value,
                                        const std::string& data) {
    RegistryKeyHandle open = RegistryKey(key, true);
    if (!open) return false;
    std::wstring wide = Widen(data);
    return RegSetValueExW(open.get(), Widen(value).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<uint32_t> Win32Platform::RegistryReadDword(const std::string& key, const std::string& value) {
    RegistryKeyHandle open = RegistryKey(key, false);
    if (!open) return std::nullopt;
    DWORD type = 0, data = 0, bytes = sizeof(data);
    if (RegQueryValueExW(open.get(), Widen(value).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return data;
}

bool Win32Platform::RegistryWriteDword(const std::string& key, const std::string& value, uint32_t data) {
    RegistryKeyHandle open = RegistryKey(key, true);
    if (!open) return false;
    DWORD dword = data;
    return RegSetValueExW(open.get(), Widen(value).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                          sizeof(dword)) == ERROR_SUCCESS;
}

std::string Win32Platform::ProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) {
    std::vector<wchar_t> buffer(4096);
    DWORD got = GetProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(defaultValue).c_str(),
                                  buffer.data(), static_cast<DWORD>(buffer.size()));
    return Narrow(std::wstring(buffer.data(), got));
}

bool Win32Platform::WriteProfile(const std::string& section, const std::string& key,
                                       const std::string& value) {
    return WriteProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str()) != 0;
}

bool Win32Platform::RemoveFileAtRestart(const std::string& path) {
    return MoveFileExW(Widen(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool Win32Platform::RemoveProfileValue(const std::string& section, const std::string& key) {
    const std::wstring wideSection = Widen(section);
    if (!WriteProfileStringW(wideSection.c_str(), Widen(key).c_str(), nullptr)) return false;
    wchar_t keys[4] = {};
    if (GetProfileStringW(wideSection.c_str(), nullptr, L"", keys, 4) == 0)
        WriteProfileStringW(wideSection.c_str(), nullptr, nullptr);
    return true;
}

bool Win32Platform::RegistryDeleteValue(const std::string& key, const std::string& value) {
    HKEY opened = nullptr;
    const LONG open = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(key).c_str(), 0, KEY_SET_VALUE, &opened);
    if (open == ERROR_FILE_NOT_FOUND) return true;
    if (open != ERROR_SUCCESS) return false;
    RegistryKeyHandle held(opened);
    const LONG result = RegDeleteValueW(opened, Widen(value).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool Win32Platform::RegistryDeleteEmptyKey(const std::string& key) {
    {
        RegistryKeyHandle open = RegistryKey(key, false);
        if (!open) return !RegistryKeyExists(key);
        DWORD subkeys = 0, values = 0;
        if (RegQueryInfoKeyW(open.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subkeys != 0 || values != 0)
            return false;
    }
    const LONG result = RegDeleteKeyW(HKEY_LOCAL_MACHINE, Widen(key).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool Win32Platform::StartProgram(const std::string& commandLine, int showMode) {
    // WinExec takes an ANSI command line; the wide CreateProcess keeps every character.
    return Start(commandLine, showMode, 0, MaxCommandLine()).has_value();
}

int64_t Win32Platform::RunAndWait(const std::string& commandLine, int showMode) {
    auto started = Start(commandLine, showMode, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, MaxCommandLine());
    if (!started) return -1;
    WaitForSingleObject(started->process.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(started->process.get(), &exitCode);
    return static_cast<int32_t>(exitCode);
}

DdeResult Win32Platform::DdeExecute(const std::string& service, const std::string& topic,
                                    const std::string& command, uint32_t timeoutMs) {
    return DdeExecuteOnce(service, topic, command, timeoutMs);
}

std::unique_ptr<Library> Win32Platform::OpenLibrary(const std::string& path, LoadError* error) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryW(Widen(path).c_str());
    DWORD why = module ? 0 : GetLastError();
    SetErrorMode(previous);
    if (error) {
        switch (why) {
            case 0: *error = LoadError::None; break;
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_MOD_NOT_FOUND:
            case ERROR_BAD_PATHNAME: *error = LoadError::NotFound; break;
            case ERROR_NOT_ENOUGH_MEMORY:
            case ERROR_OUTOFMEMORY: *error = LoadError::OutOfMemory; break;
            default: *error = LoadError::Other; break;
        }
    }
    if (!module) return nullptr;
    return std::make_unique<Win32Library>(module);
}

std::string Win32Platform::GlobalText(void* handle) {
    if (!handle) return {};
    auto* text = static_cast<const char*>(GlobalLock(static_cast<HGLOBAL>(handle)));
    std::string copy = text ? std::string(text) : std::string();
    GlobalUnlock(static_cast<HGLOBAL>(handle));
    return copy;
}

void Win32Platform::ShowPlainMessage(const std::string& text) {
    std::string title = ExtractFileName(ModuleFileName());
    title = title.substr(0, title.find_last_of('.'));
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_TASKMODAL);
}

uint32_t Win32Platform::TickCount() { return GetTickCount(); }

LocalTime Win32Platform::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                     time.wMilliseconds};
}

}  // namespace plat

namespace plat {

std::string Win32Platform::FormatDateTime(const LocalTime& time) {
    SYSTEMTIME when{};
    when.wYear = static_cast<WORD>(time.year);
    when.wMonth = static_cast<WORD>(time.month);
    when.wDay = static_cast<WORD>(time.day);
    when.wHour = static_cast<WORD>(time.hour);
    when.wMinute = static_cast<WORD>(time.minute);
    when.wSecond = static_cast<WORD>(time.second);
    wchar_t date[128] = L"", clock[128] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, clock, 128);
    return Narrow(date) + " " + Narrow(clock);
}

std::string Win32Platform::OemToUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, nullptr, 0);
    std::wstring characters(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, characters.data(), wide);
    const int length = WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace plat
