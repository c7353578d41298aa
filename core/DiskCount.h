// The number of installation disks, from the configuration file beside the program.
#pragma once

#include <string>

namespace core {

// DiskCount from key "NrDiscuri" of section "General" in "insttorv.cfg" beside the
// program: 6 when the file, section or key is missing; leading digits of the value
// otherwise (none: 0).
void ReadDiskCount();
// The disk count a configuration text yields (the rule above, without the file).
int DiskCountFromConfig(const std::string* configText);

}  // namespace core
