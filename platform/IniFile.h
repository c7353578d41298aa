// Reading and writing INI-format text: "[Section]" lines and "Key=Value" lines.
// Sections and keys compare without regard to case; the first match wins, as with
// the Windows profile functions. Blanks around keys and values are dropped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

std::optional<std::string> IniRead(std::string_view text, std::string_view section,
                                   std::string_view key);

// Every line of `text` as the reader sees it, numbered from 1: a section line, a key
// line (key and value trimmed, quotes kept), a blank or comment line (";" first), or a
// line that is none of these.
struct IniLine {
    enum Kind { Section, Key, Blank, Other } kind;
    int number;
    std::string name;   // the section's or the key's
    std::string value;  // the key's
};
std::vector<IniLine> IniLines(std::string_view text);

// Returns `text` with the key set (the section is added at the end when missing).
std::string IniWrite(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

// Returns `text` without the key in the section: every line that sets it, in every
// section of that name. A section then left without a key line goes whole, with its
// blank, comment and other lines; so does such a section that had none before. All
// other lines stay as they were, byte for byte.
std::string IniRemove(std::string_view text, std::string_view section, std::string_view key);

// The integer a profile lookup yields: leading digits (after an optional sign);
// a value without leading digits is 0.
long long IniLeadingInteger(std::string_view value);

}  // namespace plat
