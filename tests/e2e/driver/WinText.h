// Text at the driver's edges: arguments come in as UTF-16 from Windows, scenarios read
// and write UTF-8, so every line printed is converted once here.
#pragma once

#include <string>
#include <string_view>

namespace tvdriver {

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// One line, UTF-8, ended by "\n", written unbuffered so a caller reading a pipe sees it
// even if the driver is killed right after.
void PrintLine(std::wstring_view text);
void PrintError(std::wstring_view text);

}  // namespace tvdriver
