// The engine's registry file, bde.reg: its placeholder for the Program Files folder is
// filled in before the file is imported. The file is rewritten through a temporary file
// beside it that replaces it only when complete, so a failure leaves it as it was.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace work {

inline constexpr std::string_view kProgDirPlaceholder = "$ProgDir$";

enum class BdeRegResult { Rewritten, Missing, Unreadable, Unwritable };

// The line with its first placeholder replaced by `programFilesDir`, every backslash
// doubled as registry files write strings; later placeholders stay.
std::string FillProgDir(std::string_view line, std::string_view programFilesDir);

// Rewrites the file with every line filled in and ended by CR LF.
BdeRegResult RewriteBdeReg(const std::string& path, std::string_view programFilesDir);

// The values a registry file sets below HKEY_LOCAL_MACHINE: (key, value name) pairs, the
// key without its root; a key's default value ("@") has an empty name.
std::vector<std::pair<std::string, std::string>> ValuesOfRegistryFile(std::string_view text);

// The message that tells the user which file failed and why.
std::string BdeRegFailureText(const std::string& path, BdeRegResult result);

}  // namespace work
