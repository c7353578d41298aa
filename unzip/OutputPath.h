// Turning stored names into output paths safely, and making the folders on the way.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace unzip {

// The longest output path the engine writes (the report record's name field holds it).
constexpr size_t kMaxOutputPath = 259;

// False for a stored name that would leave the target folder or that Windows would not
// write as named: one that starts with "\" or "/", names a drive ("X:"), holds a ":"
// anywhere (an alternate stream of another file on Windows), has an element that ends
// in a dot or a blank (Windows strips them, so ".." is the parent folder and "a." and
// "a" are one file), or an element that is a device name (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, with any extension and in any case).
bool IsSafeStoredName(std::string_view storedName);

// True when the stored name denotes a folder rather than a file.
bool IsFolderEntry(std::string_view path);

// Creates, one level at a time, every folder named on the way to the last element of
// `path` (all of them for a path ending in a separator). Folders already there are kept;
// it stops at the first one that can be neither found nor created. Relative paths start
// at the current folder. True when the whole folder part exists afterwards.
bool CreateFoldersFor(const std::string& path);

// Creates a new file in the same folder as `path`, under a name that nothing (not even a
// link) has yet, for writing a member before it is renamed to `path`. Null when the
// folder does not exist or no file can be created there; `created` names the file.
std::unique_ptr<plat::File> CreateTemporarySibling(const std::string& path, std::string& created);

// True when two paths name the same file: compared in full (from the current folder),
// with "." and ".." resolved and without regard to case or the kind of separator.
bool NamesSameFile(const std::string& a, const std::string& b);

}  // namespace unzip
