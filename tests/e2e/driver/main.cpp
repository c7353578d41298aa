// TVDRIVER.EXE: drives the installer's real windows for the end-to-end scenarios.
// Usage: TVDRIVER <command> <arguments>; see kCommands for the list.
#include <windows.h>

#include <array>
#include <string_view>

#include "tests/e2e/driver/Commands.h"
#include "tests/e2e/driver/WinText.h"

namespace {

using tvdriver::Arguments;

struct Command {
    std::wstring_view name;
    std::wstring_view usage;
    size_t minArguments;
    size_t maxArguments;
    int (*run)(const Arguments&);
};

constexpr std::array kCommands{
    Command{L"wait-window", L"TITLE [SECONDS]", 1, 2, tvdriver::WaitWindowCommand},
    Command{L"wait-gone", L"TITLE [SECONDS]", 1, 2, tvdriver::WaitGoneCommand},
    Command{L"click", L"TITLE CAPTION [SECONDS]", 2, 3, tvdriver::ClickCommand},
    Command{L"texts", L"TITLE", 1, 1, tvdriver::TextsCommand},
    Command{L"tree", L"TITLE", 1, 1, tvdriver::TreeCommand},
    Command{L"rect", L"TITLE", 1, 1, tvdriver::RectCommand},
    Command{L"key", L"TITLE KEYS", 2, 2, tvdriver::KeyCommand},
    Command{L"type", L"TITLE TEXT", 2, 2, tvdriver::TypeCommand},
    Command{L"screenshot", L"FILE.bmp", 1, 1, tvdriver::ScreenshotCommand},
    Command{L"list", L"", 0, 0, tvdriver::ListCommand},
    Command{L"wait-process", L"EXENAME [SECONDS]", 1, 2, tvdriver::WaitProcessCommand},
    Command{L"wait-process-gone", L"EXENAME [SECONDS]", 1, 2, tvdriver::WaitProcessGoneCommand},
    Command{L"owner", L"TITLE", 1, 1, tvdriver::OwnerCommand},
};

int PrintUsage() {
    tvdriver::PrintError(L"usage: TVDRIVER <command> ..., where <command> is one of:");
    for (const Command& command : kCommands) {
        tvdriver::PrintError(L"  " + std::wstring(command.name) + L" " + std::wstring(command.usage));
    }
    return tvdriver::kExitUsage;
}

// Wine hands over the Unix arguments decoded with the locale's character set. Scenarios
// write UTF-8; when the locale is not a UTF-8 one, the bytes come back from the ANSI code
// page and are decoded again as UTF-8 (plain ASCII is the same either way).
std::wstring ArgumentText(const wchar_t* argument) {
    const std::wstring_view text(argument);
    if (GetACP() == CP_UTF8 || text.empty()) return std::wstring(text);
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return std::wstring(text);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0) <= 0) {
        return std::wstring(text);
    }
    return tvdriver::Utf8ToWide(bytes);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return PrintUsage();
    const std::wstring_view name(argv[1]);
    for (const Command& command : kCommands) {
        if (command.name != name) continue;
        Arguments arguments;
        for (int i = 2; i < argc; ++i) arguments.push_back(ArgumentText(argv[i]));
        if (arguments.size() < command.minArguments || arguments.size() > command.maxArguments) {
            tvdriver::PrintError(L"usage: TVDRIVER " + std::wstring(command.name) + L" " +
                                 std::wstring(command.usage));
            return tvdriver::kExitUsage;
        }
        return command.run(arguments);
    }
    tvdriver::PrintError(L"unknown command " + std::wstring(name));
    return PrintUsage();
}
