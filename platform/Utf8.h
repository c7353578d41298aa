// UTF-8, the program's own encoding of text: one character appended, and a text taken
// apart into its characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

inline void AppendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += char(character);
    } else if (character < 0x800) {
        out += char(0xC0 | character >> 6);
        out += char(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += char(0xE0 | character >> 12);
        out += char(0x80 | ((character >> 6) & 0x3F));
        out += char(0x80 | (character & 0x3F));
    } else {
        out += char(0xF0 | character >> 18);
        out += char(0x80 | ((character >> 12) & 0x3F));
        out += char(0x80 | ((character >> 6) & 0x3F));
        out += char(0x80 | (character & 0x3F));
    }
}

// 8-bit text in UTF-8, its bytes 128 to 255 read through `upperHalf` (128 characters).
inline std::string UpperHalfToUtf8(const uint16_t* upperHalf, std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const uint8_t byte = uint8_t(c);
        AppendUtf8(out, byte < 0x80 ? byte : upperHalf[byte - 0x80]);
    }
    return out;
}

// The characters of `text`; nothing when it is no well-formed UTF-8 (a stray byte of an
// 8-bit code page, a sequence cut short, an overlong form, a surrogate).
inline std::optional<std::u32string> DecodeUtf8(std::string_view text) {
    std::u32string characters;
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t lead = uint8_t(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length == 0 || i + length > text.size()) return std::nullopt;
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const uint8_t next = uint8_t(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            character = character << 6 | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (character < kLeast[length] || character > 0x10FFFF || (character >= 0xD800 && character < 0xE000))
            return std::nullopt;
        characters += character;
        i += length;
    }
    return characters;
}

}  // namespace plat
