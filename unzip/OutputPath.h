// Turning stored names into output paths safely, and making the folders on the way.
#pragma once

#include <string>
#include <string_view>

namespace unzip {

// The longest output path the engine writes (the report record's name field holds it).
constexpr size_t kMaxOutputPath = 259;

// False for a stored name that would leave the target folder: one that starts with "\"
// or "/", names a drive ("X:"), holds a ":" anywhere (an alternate stream of another
// file on Windows), or has an element made of dots (and blanks) such as "..", which
// Windows reads as the parent folder.
bool IsSafeStoredName(std::string_view storedName);

// True when the stored name denotes a folder rather than a file.
bool IsFolderEntry(std::string_view path);

// Creates, one level at a time, every folder named on the way to the last element of
// `path` (all of them for a path ending in a separator). Folders already there are kept;
// it stops at the first one that can be neither found nor created. Relative paths start
// at the current folder. True when the whole folder part exists afterwards.
bool CreateFoldersFor(const std::string& path);

// A name for a file in the same folder as `path` that does not exist yet, for writing a
// member before it replaces the file at `path`; empty when no such name is left.
std::string TemporarySibling(const std::string& path);

}  // namespace unzip
