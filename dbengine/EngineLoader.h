// Finding and loading the database engine library IDAPI32.DLL.
#pragma once

#include <memory>
#include <string>

#include "dbengine/BdeApi.h"
#include "platform/Platform.h"

namespace bde {

inline constexpr char kEngineLibraryName[] = "IDAPI32.DLL";
inline constexpr char kEngineRegistryKey[] = "Software\\Borland\\Database Engine";
inline constexpr char kEngineDllPathValue[] = "DLLPATH";

// Loads the engine library by its full path in a folder of the ';'-separated registry
// value DLLPATH, the folders in their order: the engine's own registration says where it
// is, and nothing else is trusted (not the current folder, not the folder of this
// program, which runs with administrator rights, not the system's search by bare name).
// A copy that exists but fails to load does not stop the search. On failure `code` says
// why: 0x2108 not found, 0x2501 out of memory, 0x2109 any other failure (that of the
// first copy found).
std::unique_ptr<plat::Library> LoadEngineLibrary(plat::Platform& platform, DBIResult* code);

// The first folder of DLLPATH that holds the engine library, as the loader tries them;
// empty when none does (no DLLPATH, or a key left behind by an engine since removed).
std::string RegisteredLibraryFolder(plat::Platform& platform);

// The engine code for a platform load failure.
DBIResult LoadErrorCode(plat::LoadError error);

}  // namespace bde
