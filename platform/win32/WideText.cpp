#include "platform/win32/WideText.h"

#include <windows.h>

namespace plat {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    }
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
    return result;
}

std::wstring WidenFrom(unsigned codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
    return result;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace plat
