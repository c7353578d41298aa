// Running an outside program to its end (the registry import, the component installers).
#pragma once

#include <cstdint>
#include <string>

namespace core {

// Starts the command line as a new process and waits for it; its exit code, or -1 when
// it cannot be started (a command line longer than the platform accepts included: it is
// refused, never cut).
int64_t RunAndWait(const std::string& commandLine, int showMode);

}  // namespace core
