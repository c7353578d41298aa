// The one conversion between the program's UTF-8 strings and the UTF-16 of the wide
// Windows API, for the platform, the user interface and the entry point alike.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// UTF-8 to UTF-16. Text that is not UTF-8 (names written by DOS and Windows programs in
// the system's own code page) is read in the system's ANSI code page, as the ANSI
// functions would, so its accented letters survive instead of becoming replacement
// characters.
std::wstring Widen(const std::string& text);
// Text of an 8-bit code page (CP_ACP, CP_OEMCP) to UTF-16.
std::wstring WidenFrom(unsigned codePage, std::string_view text);
// UTF-16 to UTF-8.
std::string Narrow(const std::wstring& text);

}  // namespace plat
