// The Windows side of the stand-ins' services: plain Win32 calls with ANSI texts, the
// form in which the outside components they stand in for receive their paths.
#include <windows.h>

#include <vector>

#include "standins/common/StandinSupport.h"

namespace standin {

namespace {

std::string ModuleFileName(HMODULE module) {
    // Grown until the whole name fits: folders of any length are allowed.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = ::GetModuleFileNameA(module, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return std::string(buffer.data(), length);
        if (size > 65536) return {};
    }
}

}  // namespace

std::string ModulePath(const void* address) {
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module))
        return {};
    return ModuleFileName(module);
}

std::optional<std::string> LoadedModulePath(const std::string& fileName) {
    HMODULE module = ::GetModuleHandleA(fileName.c_str());
    if (!module) return std::nullopt;
    return ModuleFileName(module);
}

std::string ProgramPath() { return ModuleFileName(nullptr); }

std::optional<std::string> EnvironmentValue(const char* name) {
    const DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(size);
    const DWORD length = ::GetEnvironmentVariableA(name, buffer.data(), size);
    if (length >= size) return std::nullopt;
    return std::string(buffer.data(), length);
}

void SetEnvironmentValue(const char* name, const std::string& value) {
    ::SetEnvironmentVariableA(name, value.c_str());
}

bool WindowsFolderExists(const std::string& path, const std::string&) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string MachinePath(const std::string& path, const std::string&) { return path; }

}  // namespace standin
