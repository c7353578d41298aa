// The formatting codes of the formatted label, as a pure function: a caption becomes
// lines of segments, each with its own font, shadow and blink.
//
//   CR        ends the line
//   @n        text colour := entry n of FmtColorTable (n of 37 or more: no change)
//   &n        font size := n points (clamped to 1..999)
//   $n        style: 0 plain, 1 italic, 2 bold, 3 bold italic (other values: no change)
//   %  ~      toggle shadow / blink
//   \c        c as text when c is one of $ % & @ ~; otherwise the backslash is text
// A number is the run of digits after the code; with no digits the code does nothing.
// A code that changes the look starts a new segment when the current one has text.
#pragma once

#include <string>
#include <vector>

#include "ui/Font.h"

namespace ui {

struct FmtAttributes {
    FontSpec font;
    bool shadow = false;
    bool blink = false;
    bool operator==(const FmtAttributes&) const = default;
};

struct FmtSegment {
    std::string text;
    FmtAttributes attributes;
};

using FmtLine = std::vector<FmtSegment>;

constexpr int FmtColorCount = 37;
// 16 fixed colours, then the platform's system colours 0 to 20.
extern const TColor FmtColorTable[FmtColorCount];

std::vector<FmtLine> ParseFmtCaption(const std::string& caption, const FontSpec& baseFont);

// The text with every code character escaped, so that it shows as written.
std::string EscapeFmtText(const std::string& text);

}  // namespace ui
