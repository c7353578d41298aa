// Key strokes as the scenarios write them: "alt+m", "alt+f4", "escape", "enter",
// "ctrl+shift+tab". A sequence is several strokes separated by blanks or commas
// ("tab tab enter"). Virtual-key codes are the Windows ones, kept here as numbers so
// that the parser builds and is tested without <windows.h>.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tvdriver {

struct KeyStroke {
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    uint8_t virtualKey = 0;

    bool operator==(const KeyStroke&) const = default;
};

// One stroke: modifiers joined by '+', the key last; names compare without regard to case.
std::optional<KeyStroke> ParseKeyStroke(std::string_view text);

// Empty when any stroke is not understood, or when there is none.
std::optional<std::vector<KeyStroke>> ParseKeySequence(std::string_view text);

}  // namespace tvdriver
