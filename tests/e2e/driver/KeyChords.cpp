#include "tests/e2e/driver/KeyChords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace tvdriver {
namespace {

struct NamedKey {
    std::string_view name;
    uint8_t virtualKey;
};

// Windows virtual-key codes of the keys that have a name rather than a character.
constexpr std::array kNamedKeys{
    NamedKey{"backspace", 0x08}, NamedKey{"tab", 0x09},     NamedKey{"enter", 0x0D},
    NamedKey{"return", 0x0D},    NamedKey{"escape", 0x1B},  NamedKey{"esc", 0x1B},
    NamedKey{"space", 0x20},     NamedKey{"pageup", 0x21},  NamedKey{"pagedown", 0x22},
    NamedKey{"end", 0x23},       NamedKey{"home", 0x24},    NamedKey{"left", 0x25},
    NamedKey{"up", 0x26},        NamedKey{"right", 0x27},   NamedKey{"down", 0x28},
    NamedKey{"insert", 0x2D},    NamedKey{"delete", 0x2E},  NamedKey{"del", 0x2E},
    NamedKey{"f1", 0x70},        NamedKey{"f2", 0x71},      NamedKey{"f3", 0x72},
    NamedKey{"f4", 0x73},        NamedKey{"f5", 0x74},      NamedKey{"f6", 0x75},
    NamedKey{"f7", 0x76},        NamedKey{"f8", 0x77},      NamedKey{"f9", 0x78},
    NamedKey{"f10", 0x79},       NamedKey{"f11", 0x7A},     NamedKey{"f12", 0x7B},
};

std::string Lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::optional<uint8_t> VirtualKeyOf(const std::string& name) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) return key.virtualKey;
    }
    if (name.size() == 1) {
        const char c = name[0];
        // Letter and digit keys carry the code of the upper-case character.
        if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
        if (c >= '0' && c <= '9') return static_cast<uint8_t>(c);
    }
    return std::nullopt;
}

// Sets the modifier named `name`; false when it is not a modifier.
bool ApplyModifier(const std::string& name, KeyStroke& stroke) {
    if (name == "alt") return stroke.alt = true;
    if (name == "ctrl" || name == "control") return stroke.ctrl = true;
    if (name == "shift") return stroke.shift = true;
    return false;
}

}  // namespace

std::optional<KeyStroke> ParseKeyStroke(std::string_view text) {
    const std::string lowered = Lowered(text);
    KeyStroke stroke;
    size_t start = 0;
    while (true) {
        const size_t plus = lowered.find('+', start);
        const std::string part = lowered.substr(start, plus == std::string::npos ? std::string::npos
                                                                                 : plus - start);
        if (part.empty()) return std::nullopt;
        if (plus == std::string::npos) {
            const std::optional<uint8_t> key = VirtualKeyOf(part);
            if (!key) return std::nullopt;
            stroke.virtualKey = *key;
            return stroke;
        }
        if (!ApplyModifier(part, stroke)) return std::nullopt;
        start = plus + 1;
    }
}

std::optional<std::vector<KeyStroke>> ParseKeySequence(std::string_view text) {
    std::vector<KeyStroke> strokes;
    size_t position = 0;
    constexpr std::string_view kSeparators = " ,\t";
    while (position < text.size()) {
        const size_t start = text.find_first_not_of(kSeparators, position);
        if (start == std::string_view::npos) break;
        const size_t end = std::min(text.find_first_of(kSeparators, start), text.size());
        const std::optional<KeyStroke> stroke = ParseKeyStroke(text.substr(start, end - start));
        if (!stroke) return std::nullopt;
        strokes.push_back(*stroke);
        position = end;
    }
    if (strokes.empty()) return std::nullopt;
    return strokes;
}

}  // namespace tvdriver
