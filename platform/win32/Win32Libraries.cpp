// Run-time libraries, and the memory handles they hand over.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include "platform/Paths.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

// Windows 8, and Windows 7 and Vista with the update KB2533623, restrict where libraries
// are looked for; older systems have neither the call nor its flags.
#ifndef LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
#define LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR 0x00000100
#define LOAD_LIBRARY_SEARCH_DEFAULT_DIRS 0x00001000
#endif
bool searchFlagsKnown = false;

// "C:\..." or "\\server\share\...": a path the loader takes as it is.
bool IsFullPath(const std::string& path) {
    return (path.size() > 2 && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

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

}  // namespace

Win32Platform::Win32Platform() {
    // The libraries the system loads for this program (and those loaded by name) come
    // from the system folder and the program's own, never from the current folder or
    // PATH: a DLL that someone left in the Downloads folder or in TEMP is never used.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDirectories = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    searchFlagsKnown = setDefaultDirectories && setDefaultDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    // Without it, at least the current folder leaves the search.
    if (!searchFlagsKnown) SetDllDirectoryW(L"");
}

std::unique_ptr<Library> Win32Platform::OpenLibrary(const std::string& path, LoadError* error) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // A library loaded by its path finds the libraries it needs beside itself.
    const std::wstring file = Native(path);
    HMODULE module = searchFlagsKnown && IsFullPath(shares_.Reach(path))
                         ? LoadLibraryExW(file.c_str(), nullptr,
                                          LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)
                         : LoadLibraryW(file.c_str());
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

}  // namespace plat
