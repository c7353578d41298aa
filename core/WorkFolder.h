// The working copy's own folder. The media instance makes it below the temporary folder
// with a name nobody can know beforehand, so that nobody can lay a program or a library
// there for the working copy, which runs with administrator rights, to pick up. The
// working copy removes it, with all in it, when its run ends.
#pragma once

#include <optional>
#include <string>

namespace core {

inline constexpr char WorkFolderPrefix[] = "WinTORVEX-";

// A new folder below `parent` (which ends with a backslash) named WorkFolderPrefix and
// 16 hexadecimal digits from the system's generator; another name when one is taken.
// The folder with its trailing backslash, or nothing when none could be made (`failure`
// then holds the text for the user).
std::optional<std::string> MakeWorkFolder(const std::string& parent, std::string* failure);

// Whether `folder` has a name that MakeWorkFolder gives: no other folder is ever
// removed whole (a program that finds its marker elsewhere leaves its folder alone).
bool IsWorkFolder(const std::string& folder);

// Removes the files of `folder` and the folder, when it is a working folder (any other
// is left as it is). The running program's own file, which
// cannot go while it runs, is moved beside the folder and goes when the system next
// starts. What stays is noted in the run log.
void RemoveWorkFolder(const std::string& folder);

}  // namespace core
