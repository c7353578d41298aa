// Small services that work on the installation state.
#pragma once

#include <cstdint>
#include <string>

namespace core {

// DiskCount from key "NrDiscuri" of section "General" in "insttorv.cfg" beside the
// program: 6 when the file, section or key is missing; leading digits of the value
// otherwise (none: 0).
void ReadDiskCount();
// The disk count a configuration text yields (the rule above, without the file).
int DiskCountFromConfig(const std::string* configText);

// Unpacks (upgrade) or only deletes (fresh installation) UPGRADE.ZIP beside the program.
void PrepareUpgradeArchive();

// Starts the command line as a new process and waits for it; its exit code, or -1 when
// it cannot be started (a command line longer than the platform accepts included: it is
// refused, never cut).
int64_t RunAndWait(const std::string& commandLine, int showMode);

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder();

}  // namespace core
