// How the driver matches and prints window texts. A caption given on the command line
// matches a control's text exactly, or the text with its accelerator marks removed, so
// "&Renunt" and "Renunt" both find the button whose text is "&Renunt".
#pragma once

#include <string>
#include <string_view>

namespace tvdriver {

// "&Renunt" -> "Renunt"; "&&" stands for one literal '&'.
std::wstring StripAccelerators(std::wstring_view text);

bool CaptionMatches(std::wstring_view windowText, std::wstring_view wanted);

// Line breaks inside one window's text are written as the two characters "\r" or "\n",
// so that every window stays on one output line.
std::wstring EscapeLineBreaks(std::wstring_view text);

}  // namespace tvdriver
