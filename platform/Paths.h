// Windows path helpers, portable: they only look at characters. A folder value may or
// may not end with a backslash; these helpers are how every caller copes with both.
#pragma once

#include <string>
#include <string_view>

namespace plat {

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);  // removes one separator
// Folder and name joined with exactly one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);
// "C:\A\B.EXE" -> "C:\A\" ; "B.EXE" -> ""
std::string ExtractFilePath(std::string_view path);
// "C:\A\B.EXE" -> "B.EXE"
std::string ExtractFileName(std::string_view path);
// "C:\A\B.EXE" -> "C:\" ; "\\server\share\x" -> "\\server\share\" ; relative -> ""
std::string ExtractDriveRoot(std::string_view path);

// A path with a blank in quotes, so that a command line starting with it cannot start a
// different program ("C:\Program Files\X.EXE" would first try "C:\Program"); others as they are.
std::string QuotedIfBlank(std::string_view path);

std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace plat
