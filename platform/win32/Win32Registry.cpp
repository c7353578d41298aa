// The registry under HKEY_LOCAL_MACHINE.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

// An open registry key under HKEY_LOCAL_MACHINE; none when it cannot be opened.
RegistryKeyHandle RegistryKey(const std::string& key, bool create) {
    std::wstring name = Widen(key);
    HKEY opened = nullptr;
    LONG result = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                           nullptr, &opened, nullptr)
                         : RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ, &opened);
    return RegistryKeyHandle(result == ERROR_SUCCESS ? opened : nullptr);
}

}  // namespace

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

}  // namespace plat
