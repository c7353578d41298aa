#include "tests/e2e/driver/Caption.h"

namespace tvdriver {

std::wstring StripAccelerators(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') {
                result += L'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

bool CaptionMatches(std::wstring_view windowText, std::wstring_view wanted) {
    return windowText == wanted || StripAccelerators(windowText) == wanted;
}

std::wstring EscapeLineBreaks(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (const wchar_t c : text) {
        if (c == L'\r') {
            result += L"\\r";
        } else if (c == L'\n') {
            result += L"\\n";
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace tvdriver
