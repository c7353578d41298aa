// The system's ANSI code page, as the 8-bit functions of Windows and the programs built on
// them (the database engine) use it.
#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

// One character (one or two UTF-16 units) in the ANSI code page; false when the code page
// has no byte for it. No best fit: "s" for "ș" would name another folder.
bool AnsiBytesOf(const wchar_t* character, int units, std::string* bytes) {
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, character, units, buffer,
                                           sizeof buffer, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    bytes->assign(buffer, size_t(length));
    return true;
}

}  // namespace

unsigned Win32Platform::AnsiCodePage() { return GetACP(); }

AnsiText Win32Platform::Utf8ToAnsi(std::string_view text) {
    // A system set to UTF-8 for its 8-bit programs holds every letter.
    if (GetACP() == CP_UTF8) return {std::string(text), {}};
    const std::wstring wide = Widen(std::string(text));
    AnsiText converted;
    for (size_t i = 0; i < wide.size();) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
        const int units = pair ? 2 : 1;
        std::string bytes;
        if (AnsiBytesOf(wide.data() + i, units, &bytes)) {
            converted.text += bytes;
        } else {
            converted.Lacks(Narrow(wide.substr(i, size_t(units))));
        }
        i += size_t(units);
    }
    return converted;
}

std::string Win32Platform::AnsiToUtf8(std::string_view text) { return Narrow(WidenFrom(CP_ACP, text)); }

}  // namespace plat
