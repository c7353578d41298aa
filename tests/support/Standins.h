// Puts the host builds of the stand-ins into a virtual machine under their Windows names.
#pragma once

#include <filesystem>
#include <string>

#include "platform/host/HostPlatform.h"

namespace testing_support {

inline void InstallStandin(plat::HostPlatform& machine, const std::string& hostBuild,
                           const std::string& windowsPath) {
    std::filesystem::copy_file(hostBuild, machine.HostPath(windowsPath),
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace testing_support
