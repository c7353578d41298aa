#include "tools/qunzip/TerminalText.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <iconv.h>
#include <langinfo.h>
#endif

namespace qunzip {

namespace {

std::string terminalCharset = "UTF-8";

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 if none.
size_t SequenceLength(std::string_view text) {
    const uint8_t lead = uint8_t(text[0]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                  : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((uint8_t(text[i]) & 0xC0) != 0x80) return 0;
    return length;
}

std::string Escaped(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const uint8_t byte = uint8_t(utf8[0]);
        const size_t length = SequenceLength(utf8);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
            utf8.remove_prefix(1);
        } else {
            out.append(utf8.substr(0, length));
            utf8.remove_prefix(length);
        }
    }
    return out;
}

#ifndef _WIN32
std::string Converted(const std::string& utf8) {
    iconv_t converter = iconv_open((terminalCharset + "//TRANSLIT").c_str(), "UTF-8");
    if (converter == iconv_t(-1)) return utf8;
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0 && iconv(converter, &in, &inLeft, &to, &outLeft) == size_t(-1)) {
        // A character the terminal cannot show at all: a question mark in its place.
        if (outLeft == 0) break;
        *to++ = '?';
        --outLeft;
        size_t skip = 1;
        while (skip < inLeft && (uint8_t(in[skip]) & 0xC0) == 0x80) ++skip;
        in += skip;
        inLeft -= skip;
    }
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}
#endif

}  // namespace

void UseTerminalCharacterSet() {
#ifndef _WIN32
    std::setlocale(LC_CTYPE, "");
    terminalCharset = nl_langinfo(CODESET);
#endif
}

std::string ForTerminal(std::string_view utf8) {
    std::string escaped = Escaped(utf8);
#ifndef _WIN32
    if (terminalCharset != "UTF-8") return Converted(escaped);
#endif
    return escaped;
}

}  // namespace qunzip
