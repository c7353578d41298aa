// The operating-system boundary. Everything above this layer reaches files, the
// registry, WIN.INI, processes, DDE, run-time libraries and the clock only through
// `Platform`. Two implementations exist: the real Win32 calls (platform/win32) and a
// virtual Windows machine kept in a host folder (platform/host) for native tests and
// tools. Paths everywhere are Windows paths ("C:\Dir\File.ext"); both '\' and '/'
// separate, and names compare without regard to case on both implementations.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Libraries.h"
#include "platform/Processes.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/StartMenu.h"
#include "platform/System.h"

namespace plat {

// The whole boundary, one facet per area of the operating system.
class Platform : public FileSystem,
                 public Registry,
                 public Profile,
                 public Processes,
                 public Libraries,
                 public System,
                 public StartMenu {
public:
    virtual ~Platform() = default;
};

// The platform the program runs on; set once at start (or by a test).
Platform& Current();
void SetCurrent(Platform* platform);

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder();

// A whole file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `content` as the whole file `path` through `temporary` (a name in the same
// folder), which replaces `path` only once complete: `path` is never left half-written.
// False when it could not; `temporary` is gone then.
bool ReplaceWholeFile(const std::string& path, const std::string& temporary, const std::string& content);

}  // namespace plat
