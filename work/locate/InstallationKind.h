// Where an existing installation keeps its data, and what kind of installation it is,
// from the folder of the product's database alias.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace work {

// The folder that holds the DATA folder: the alias folder without one trailing "\" and
// without a final "\DATA" (any case). "C:\WinTorv\DATA\" gives "C:\WinTorv".
std::string DataFolderOfAlias(std::string_view aliasFolder);

// The root of a folder: "C:\" for a drive path; for a share path the characters up to and
// including the fourth "\" ("\\SRV\APPS\"). Empty when a share path has fewer than four.
std::string InstallationRoot(std::string_view folder);

// The data folder an upgrade uses: the alias's, or, when the library knew no folder for
// the alias, the program folder (without its final "\"), where a LOCAL installation
// keeps its data.
std::string DataFolderOrProgramFolder(const std::string& dataFolder, const std::string& programFolder);

// CLIENT (3) when the folder's root is a network drive, LOCAL (1) otherwise.
uint8_t KindOfInstallation(std::string_view dataFolder);

}  // namespace work
