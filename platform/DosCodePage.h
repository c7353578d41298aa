// IBM code page 437, the character set of MS-DOS and of ZIP member names that do not say
// they are UTF-8. Bytes below 128 are ASCII and pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace plat {

std::string Cp437ToUtf8(std::string_view text);

}  // namespace plat
