// Where the database engine and the Program Files folder are registered, as the copy page
// (which unpacks the engine) and the configuration page (which registers it) both read them.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace work {

inline constexpr char kEngineKey[] = "Software\\Borland\\Database Engine";
// The engine key's count of the programs that use the engine.
inline constexpr char kUseCountValue[] = "UseCount";
inline constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
// Used when the system does not name its Program Files folder.
inline constexpr char kDefaultProgramFiles[] = "C:\\Program Files";

// The system's Program Files folder.
inline std::string ProgramFilesFolder() {
    return plat::Current().RegistryReadString(kWindowsKey, "ProgramFilesDir").value_or(kDefaultProgramFiles);
}

}  // namespace work
