// Member names as a terminal can show them: control characters (an escape sequence in a
// stored name) and bytes that are not UTF-8 are written as \xHH, and the rest is put in
// the terminal's character set when that is not UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace qunzip {

// Reads the terminal's character set from the environment; call once at start.
void UseTerminalCharacterSet();

std::string ForTerminal(std::string_view utf8);

}  // namespace qunzip
