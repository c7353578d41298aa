#include "tests/e2e/driver/WindowQuery.h"

#include <cstdio>

#include "tests/e2e/driver/Caption.h"

namespace tvdriver {
namespace {

constexpr UINT kTextTimeoutMs = 2000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::wstring WindowTextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length)) {
        wchar_t buffer[1024] = {};
        InternalGetWindowText(window, buffer, static_cast<int>(std::size(buffer)));
        return buffer;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    for (HWND window : all) {
        if (IsWindowVisible(window)) visible.push_back(window);
    }
    return visible;
}

HWND FindVisibleTopLevel(std::wstring_view title) {
    for (HWND window : VisibleTopLevelWindows()) {
        if (WindowTextOf(window) == title) return window;
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FindControl(HWND window, std::wstring_view caption) {
    // Of several controls with one caption (a hidden row's button beside a shown one, a
    // disabled one beside an enabled one), the one a person can use, else one they see.
    HWND first = nullptr, firstShown = nullptr;
    for (HWND child : Descendants(window)) {
        if (!CaptionMatches(WindowTextOf(child), caption)) continue;
        if (IsWindowVisible(child) && IsWindowEnabled(child)) return child;
        if (IsWindowVisible(child) && firstShown == nullptr) firstShown = child;
        if (first == nullptr) first = child;
    }
    return firstShown != nullptr ? firstShown : first;
}

std::wstring HandleText(HWND window) {
    wchar_t buffer[32] = {};
    std::swprintf(buffer, std::size(buffer), L"0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    return buffer;
}

}  // namespace tvdriver
