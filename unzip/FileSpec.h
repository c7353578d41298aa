// Matching a stored name (the whole stored path, folders included) against a file
// pattern. A pattern is one expression with a deliberately small grammar:
//   ""  or "*.*"       every name
//   "*.EXT"            names whose part after their first "." is EXT
//   "PRE*", "PRE.*", "PRE?.*", "PRE*.*"
//                      names whose part before their first "." starts with PRE
//   anything else      exactly that name
// Letters a-z compare without regard to case; "?" and "*" elsewhere are plain characters.
#pragma once

#include <string_view>

namespace unzip {

bool MatchFileSpec(std::string_view spec, std::string_view storedName);

}  // namespace unzip
