// Run-time libraries, and the memory handles they hand over.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

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

}  // namespace plat
