// Where things are, the clock, the plain message dialog and the OEM code page.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include "platform/Paths.h"
#include "platform/win32/WideText.h"

namespace plat {

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

void Win32Platform::SilenceDriveErrorBoxes() {
    // Added to what the process has already, inherited from its parent or asked for by the
    // system; the documentation advises the open-file box away as well.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

void Win32Platform::ShowPlainMessage(const std::string& text) {
    std::string title = ExtractFileName(ModuleFileName());
    if (const size_t dot = title.find_last_of('.'); dot != std::string::npos) title.resize(dot);
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_TASKMODAL);
}

namespace {

// The mutex owned by this thread, released and closed when the claim goes.
class MutexClaim : public System::Claim {
public:
    explicit MutexClaim(HANDLE mutex) : mutex_(mutex) {}
    ~MutexClaim() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    MutexClaim(const MutexClaim&) = delete;
    MutexClaim& operator=(const MutexClaim&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace

std::unique_ptr<System::Claim> Win32Platform::ClaimName(const std::string& name, uint32_t waitMs) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, Widen("Global\\" + name).c_str());
    if (!mutex) return nullptr;
    // A holder that ended without letting go leaves the mutex abandoned: it is free.
    const DWORD waited = WaitForSingleObject(mutex, waitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return std::make_unique<MutexClaim>(mutex);
    CloseHandle(mutex);
    return nullptr;
}

uint32_t Win32Platform::TickCount() { return GetTickCount(); }

LocalTime Win32Platform::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                     time.wMilliseconds};
}

std::string Win32Platform::FormatDateTime(const LocalTime& time) {
    SYSTEMTIME when{};
    when.wYear = static_cast<WORD>(time.year);
    when.wMonth = static_cast<WORD>(time.month);
    when.wDay = static_cast<WORD>(time.day);
    when.wHour = static_cast<WORD>(time.hour);
    when.wMinute = static_cast<WORD>(time.minute);
    when.wSecond = static_cast<WORD>(time.second);
    // The date, a blank and the time in one buffer: 128 characters for each.
    wchar_t text[2 * 128 + 1] = L"";
    const int date = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 128);
    const int blank = date > 0 ? date - 1 : 0;  // where the date's terminating zero is
    text[blank] = L' ';
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text + blank + 1, 128);
    return Narrow(text);
}

std::string Win32Platform::OemToUtf8(std::string_view text) { return Narrow(WidenFrom(CP_OEMCP, text)); }

}  // namespace plat
