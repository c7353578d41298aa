#include "tests/e2e/driver/WinText.h"

#include <windows.h>

namespace tvdriver {
namespace {

void WriteUtf8Line(DWORD standardHandle, std::wstring_view text) {
    std::string bytes = WideToUtf8(text);
    bytes += '\n';
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr) ||
            written == 0) {
            return;
        }
        done += written;
    }
}

}  // namespace

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

void PrintLine(std::wstring_view text) { WriteUtf8Line(STD_OUTPUT_HANDLE, text); }

void PrintError(std::wstring_view text) { WriteUtf8Line(STD_ERROR_HANDLE, L"TVDRIVER: " + std::wstring(text)); }

}  // namespace tvdriver
