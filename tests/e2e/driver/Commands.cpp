#include "tests/e2e/driver/Commands.h"

#include <windows.h>

#include <cwchar>
#include <optional>

#include "tests/e2e/driver/Caption.h"
#include "tests/e2e/driver/Click.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/KeyChords.h"
#include "tests/e2e/driver/ProcessQuery.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/WinText.h"
#include "tests/e2e/driver/WindowQuery.h"

namespace tvdriver {
namespace {

constexpr double kDefaultWaitSeconds = 30.0;
// How long a command that acts on a window waits for it (and for its control) to appear.
constexpr double kDefaultFindSeconds = 10.0;
constexpr double kMaxWaitSeconds = 3600.0;

// Where the harness runs this build emulated, every process is several times slower; it
// says how much in E2E_TIME_SCALE, and every bound of the driver grows by that factor.
double TimeScale() {
    static const double scale = [] {
        wchar_t text[16] = {};
        const DWORD length = GetEnvironmentVariableW(L"E2E_TIME_SCALE", text, std::size(text));
        if (length == 0 || length >= std::size(text)) return 1.0;
        const double value = std::wcstod(text, nullptr);
        return value > 1.0 ? value : 1.0;
    }();
    return scale;
}

double FindSeconds() { return kDefaultFindSeconds * TimeScale(); }

std::optional<double> ParseSeconds(const Arguments& args, size_t index, double fallback) {
    if (index >= args.size()) return fallback * TimeScale();
    wchar_t* end = nullptr;
    const double value = std::wcstod(args[index].c_str(), &end);
    if (end == args[index].c_str() || *end != L'\0' || !(value >= 0.0) || value > kMaxWaitSeconds) {
        PrintError(L"not a number of seconds: " + args[index]);
        return std::nullopt;
    }
    return value * TimeScale();
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Named on stderr when a window is not found, so a failed scenario shows what was there.
void ReportVisibleWindows() {
    for (HWND window : VisibleTopLevelWindows()) {
        const std::wstring title = WindowTextOf(window);
        if (!title.empty()) PrintError(L"  visible: " + Quoted(EscapeLineBreaks(title)));
    }
}

HWND AwaitWindow(const std::wstring& title, double seconds) {
    HWND found = nullptr;
    WaitUntil(seconds, [&] { return (found = FindVisibleTopLevel(title)) != nullptr; });
    if (found == nullptr) {
        PrintError(L"no visible window titled " + Quoted(title));
        ReportVisibleWindows();
    }
    return found;
}

}  // namespace

int WaitWindowCommand(const Arguments& args) {
    const std::optional<double> seconds = ParseSeconds(args, 1, kDefaultWaitSeconds);
    if (!seconds) return kExitUsage;
    const HWND window = AwaitWindow(args[0], *seconds);
    if (window == nullptr) return kExitFailed;
    PrintLine(HandleText(window));
    return kExitDone;
}

int WaitGoneCommand(const Arguments& args) {
    const std::optional<double> seconds = ParseSeconds(args, 1, kDefaultWaitSeconds);
    if (!seconds) return kExitUsage;
    if (WaitUntil(*seconds, [&] { return FindVisibleTopLevel(args[0]) == nullptr; })) return kExitDone;
    PrintError(L"the window " + Quoted(args[0]) + L" is still there");
    return kExitFailed;
}

int ClickCommand(const Arguments& args) {
    const std::optional<double> seconds = ParseSeconds(args, 2, kDefaultFindSeconds);
    if (!seconds) return kExitUsage;
    const std::wstring& title = args[0];
    const std::wstring& caption = args[1];
    // A person can click only what is shown and enabled, in a window that is enabled
    // (not one held behind a modal box): wait for exactly that.
    HWND window = nullptr;
    HWND control = nullptr;
    const bool ready = WaitUntil(*seconds, [&] {
        window = FindVisibleTopLevel(title);
        control = window == nullptr ? nullptr : FindControl(window, caption);
        return control != nullptr && IsWindowEnabled(window) && IsWindowVisible(control) &&
               IsWindowEnabled(control);
    });
    if (!ready) {
        if (control == nullptr) {
            PrintError(L"no control " + Quoted(caption) + L" in a window titled " + Quoted(title));
            ReportVisibleWindows();
        } else if (!IsWindowEnabled(window)) {
            PrintError(L"the window " + Quoted(title) + L" is disabled (a modal window is in front of it)");
        } else {
            PrintError(L"the control " + Quoted(caption) + L" is hidden or disabled");
        }
        return kExitFailed;
    }
    if (!ClickControl(control)) {
        PrintError(L"the click on " + Quoted(caption) + L" could not be sent");
        return kExitFailed;
    }
    return kExitDone;
}

int TextsCommand(const Arguments& args) {
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    PrintLine(EscapeLineBreaks(WindowTextOf(window)));
    for (HWND child : Descendants(window)) {
        const std::wstring text = WindowTextOf(child);
        if (!text.empty()) PrintLine(EscapeLineBreaks(text));
    }
    return kExitDone;
}

int TreeCommand(const Arguments& args) {
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    for (HWND child : Descendants(window)) {
        RECT box{};
        GetWindowRect(child, &box);
        wchar_t geometry[96] = {};
        std::swprintf(geometry, std::size(geometry), L"%ld,%ld %ldx%ld", box.left, box.top,
                      box.right - box.left, box.bottom - box.top);
        PrintLine(HandleText(child) + L" " + ClassNameOf(child) + L" " + geometry +
                  (IsWindowVisible(child) ? L" visible" : L" hidden") +
                  (IsWindowEnabled(child) ? L" enabled " : L" disabled ") +
                  Quoted(EscapeLineBreaks(WindowTextOf(child))));
    }
    return kExitDone;
}

int RectCommand(const Arguments& args) {
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    RECT box{};
    GetWindowRect(window, &box);
    wchar_t geometry[96] = {};
    std::swprintf(geometry, std::size(geometry), L"%ld %ld %ld %ld", box.left, box.top, box.right - box.left,
                  box.bottom - box.top);
    PrintLine(geometry);
    return kExitDone;
}

int KeyCommand(const Arguments& args) {
    const std::optional<std::vector<KeyStroke>> strokes = ParseKeySequence(WideToUtf8(args[1]));
    if (!strokes) {
        PrintError(L"keys not understood: " + args[1]);
        return kExitUsage;
    }
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    std::wstring error;
    if (!PressKeys(window, *strokes, error)) {
        PrintError(error);
        return kExitFailed;
    }
    return kExitDone;
}

int TypeCommand(const Arguments& args) {
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    std::wstring error;
    if (!TypeCharacters(window, args[1], error)) {
        PrintError(error);
        return kExitFailed;
    }
    return kExitDone;
}

int ScreenshotCommand(const Arguments& args) {
    std::wstring error;
    if (!SaveScreenBmp(args[0], error)) {
        PrintError(error);
        return kExitFailed;
    }
    return kExitDone;
}

int ListCommand(const Arguments&) {
    for (HWND window : VisibleTopLevelWindows()) {
        PrintLine(HandleText(window) + L" " + ClassNameOf(window) + L" " +
                  Quoted(EscapeLineBreaks(WindowTextOf(window))));
    }
    return kExitDone;
}

int WaitProcessCommand(const Arguments& args) {
    const std::optional<double> seconds = ParseSeconds(args, 1, kDefaultWaitSeconds);
    if (!seconds) return kExitUsage;
    if (WaitUntil(*seconds, [&] { return ProcessRunning(args[0]); })) return kExitDone;
    PrintError(L"no process " + args[0]);
    return kExitFailed;
}

int WaitProcessGoneCommand(const Arguments& args) {
    const std::optional<double> seconds = ParseSeconds(args, 1, kDefaultWaitSeconds);
    if (!seconds) return kExitUsage;
    if (WaitUntil(*seconds, [&] { return !ProcessRunning(args[0]); })) return kExitDone;
    PrintError(L"the process " + args[0] + L" is still running");
    return kExitFailed;
}

int OwnerCommand(const Arguments& args) {
    const HWND window = AwaitWindow(args[0], FindSeconds());
    if (window == nullptr) return kExitFailed;
    const std::wstring name = ProcessNameOfWindow(window);
    if (name.empty()) {
        PrintError(L"the process of " + Quoted(args[0]) + L" is not known");
        return kExitFailed;
    }
    PrintLine(name);
    return kExitDone;
}

}  // namespace tvdriver
