#include "tests/e2e/driver/Input.h"

#include "tests/e2e/driver/Wait.h"

namespace tvdriver {
namespace {

constexpr double kForegroundWaitSeconds = 2.0;

struct Modifier {
    bool KeyStroke::*flag;
    WORD virtualKey;
};

constexpr Modifier kModifiers[] = {
    {&KeyStroke::ctrl, VK_CONTROL},
    {&KeyStroke::shift, VK_SHIFT},
    {&KeyStroke::alt, VK_MENU},
};

INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool SendThroughInputQueue(const std::vector<KeyStroke>& strokes) {
    for (const KeyStroke& stroke : strokes) {
        std::vector<INPUT> inputs;
        for (const Modifier& modifier : kModifiers) {
            if (stroke.*modifier.flag) inputs.push_back(KeyInput(modifier.virtualKey, false));
        }
        inputs.push_back(KeyInput(stroke.virtualKey, false));
        inputs.push_back(KeyInput(stroke.virtualKey, true));
        for (auto modifier = std::rbegin(kModifiers); modifier != std::rend(kModifiers); ++modifier) {
            if (stroke.*modifier->flag) inputs.push_back(KeyInput(modifier->virtualKey, true));
        }
        const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        if (sent != inputs.size()) return false;
    }
    return true;
}

// The control that has the keyboard focus in the window's thread, or the window itself.
HWND FocusedControlOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr &&
        (info.hwndFocus == window || IsChild(window, info.hwndFocus))) {
        return info.hwndFocus;
    }
    return window;
}

// lParam of a key message: repeat count 1, the scan code, bit 29 while Alt is down,
// bits 30 and 31 on release.
LPARAM KeyData(WORD virtualKey, bool altDown, bool up) {
    LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (altDown) data |= LPARAM{1} << 29;
    if (up) data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return data;
}

bool PostStrokes(HWND window, const std::vector<KeyStroke>& strokes) {
    const HWND target = FocusedControlOf(window);
    for (const KeyStroke& stroke : strokes) {
        const UINT down = stroke.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        const UINT up = stroke.alt ? WM_SYSKEYUP : WM_KEYUP;
        bool ok = true;
        for (const Modifier& modifier : kModifiers) {
            if (stroke.*modifier.flag)
                ok &= PostMessageW(target, down, modifier.virtualKey, KeyData(modifier.virtualKey, stroke.alt, false)) != 0;
        }
        ok &= PostMessageW(target, down, stroke.virtualKey, KeyData(stroke.virtualKey, stroke.alt, false)) != 0;
        ok &= PostMessageW(target, up, stroke.virtualKey, KeyData(stroke.virtualKey, stroke.alt, true)) != 0;
        for (auto modifier = std::rbegin(kModifiers); modifier != std::rend(kModifiers); ++modifier) {
            if (stroke.*modifier->flag) {
                // Alt's own release is a plain key-up, as the keyboard sends it.
                const UINT release = modifier->virtualKey == VK_MENU ? WM_KEYUP : up;
                ok &= PostMessageW(target, release, modifier->virtualKey,
                                   KeyData(modifier->virtualKey, false, true)) != 0;
            }
        }
        if (!ok) return false;
    }
    return true;
}

bool SendCharactersThroughInputQueue(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT inputs[2]{};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = c;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        if (SendInput(2, inputs, sizeof(INPUT)) != 2) return false;
    }
    return true;
}

bool PostCharacters(HWND window, const std::wstring& text) {
    const HWND target = FocusedControlOf(window);
    for (wchar_t c : text)
        if (!PostMessageW(target, WM_CHAR, c, 1)) return false;
    return true;
}

// Asks for `window` to come to the front; true once it is there (within a short wait).
bool BroughtToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil(kForegroundWaitSeconds, [window] { return GetForegroundWindow() == window; });
}

}  // namespace

bool TypeCharacters(HWND window, const std::wstring& text, std::wstring& error) {
    if (BroughtToFront(window) && SendCharactersThroughInputQueue(text)) return true;
    if (PostCharacters(window, text)) return true;
    error = L"the text could not be typed into the window";
    return false;
}

bool PressKeys(HWND window, const std::vector<KeyStroke>& strokes, std::wstring& error) {
    if (BroughtToFront(window) && SendThroughInputQueue(strokes)) return true;
    if (PostStrokes(window, strokes)) return true;
    error = L"the keys could not be sent to the window";
    return false;
}

}  // namespace tvdriver
