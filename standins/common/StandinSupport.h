// Small services shared by the stand-ins for outside components. The stand-ins are
// separate programs and libraries, not part of the setup program: they reach the file
// system and the environment directly (Win32 on Windows, POSIX on the host), so every
// path here is a path of the machine they run on, except where said otherwise.
#pragma once

#include <optional>
#include <string>

namespace standin {

inline constexpr char kJournalName[] = "STANDINS.LOG";

// The full path of the module (library or program) that holds `address`.
std::string ModulePath(const void* address);

// The full path of a module of this process loaded under the file name `fileName` (any
// case), if there is one.
std::optional<std::string> LoadedModulePath(const std::string& fileName);

// The full path of the running program.
std::string ProgramPath();

// The folder part of a path, with its final separator ("" when there is none).
std::string FolderOf(const std::string& path);

bool EqualsNoCase(const std::string& a, const std::string& b);

std::optional<std::string> EnvironmentValue(const char* name);
void SetEnvironmentValue(const char* name, const std::string& value);

// A test hook that counts down: when the variable holds a number n > 0, it is set to
// n - 1 and the answer is true ("fail this time"). It is kept in the environment rather
// than in the module so that it survives the module being unloaded and loaded again.
bool TakeCountdown(const char* name);

// Whether the comma-separated list in variable `name` holds `item` (any case).
bool ListedIn(const char* name, const std::string& item);

// Appends one line (CR LF added) to the file at `path`; false when it cannot.
bool AppendLine(const std::string& path, const std::string& line);
// Writes `text` as the whole file at `path`; false when it cannot.
bool WriteWholeFile(const std::string& path, const std::string& text);

// Whether a folder named by a Windows path exists. On Windows that is the folder itself.
// On the host the path is looked up in the virtual Windows machine the setup program's
// tests run in: drive X: is the folder "x" under the machine's root, Z: is the host's
// own root, "/dir" is a host path; names match without regard to case. The root is taken
// from the variable TORVEX_HOST_ROOT, else from `moduleHostPath` (the first ancestor
// folder whose name is one letter is taken for a drive, and its parent for the root).
bool WindowsFolderExists(const std::string& path, const std::string& moduleHostPath);
// Where a file named by a Windows path is on this machine, looked up as above: each name
// that exists found in any case, the rest as written. On Windows, the path itself; on the
// host, empty when its drive is not known.
std::string MachinePath(const std::string& path, const std::string& moduleHostPath);

}  // namespace standin
