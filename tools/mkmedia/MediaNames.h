// The names the media tool writes and looks for.
#pragma once

#include <array>
#include <string>

#include "product/Components.h"

namespace mkmedia {

inline constexpr char kInstallerName[] = "INSTALL.EXE";
inline constexpr char kConfigName[] = "INSTALL.CFG";
inline constexpr char kUpgradeSetName[] = "UPGRADE.1";
inline constexpr std::array<const char*, 3> kInstallerSetNames = {kInstallerName, kConfigName, kUpgradeSetName};

// Every component of the table: the media carry them all.
inline constexpr product::ComponentSet kAllComponents = product::Components({0, 1, 2, 3, 4, 5, 6});

// The folder of disk n in a floppy set: "disk1", "disk2", ...
inline std::string FloppyFolderName(int disk) { return "disk" + std::to_string(disk); }

// INSTALL.CFG for a set of this many disks.
inline std::string ConfigText(int disks) { return "[General]\r\nNrDiscuri=" + std::to_string(disks) + "\r\n"; }

}  // namespace mkmedia
