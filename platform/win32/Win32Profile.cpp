// WIN.INI through the system's profile calls.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace plat {

std::string Win32Platform::ProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) {
    wchar_t buffer[4096];
    DWORD got = GetProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(defaultValue).c_str(),
                                  buffer, 4096);
    return Narrow(std::wstring(buffer, got));
}

bool Win32Platform::WriteProfile(const std::string& section, const std::string& key,
                                       const std::string& value) {
    return WriteProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str()) != 0;
}

bool Win32Platform::RemoveProfileValue(const std::string& section, const std::string& key) {
    const std::wstring wideSection = Widen(section);
    if (!WriteProfileStringW(wideSection.c_str(), Widen(key).c_str(), nullptr)) return false;
    wchar_t keys[4] = {};
    if (GetProfileStringW(wideSection.c_str(), nullptr, L"", keys, 4) == 0)
        WriteProfileStringW(wideSection.c_str(), nullptr, nullptr);
    return true;
}

}  // namespace plat
