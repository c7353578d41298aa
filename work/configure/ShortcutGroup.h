// The program group without a Program Manager: a folder named after the group in the
// Start Menu's common Programs folder, with one shortcut an item, named after its title.
#pragma once

#include <string>
#include <vector>

#include "work/configure/ConfigSteps.h"

namespace work {

// Makes the group's folder and shortcuts, each starting its program in `workingFolder`
// without arguments, as the Program Manager's items do. Every shortcut made is noted in
// this run's record; the run log says where the group is, or what could not be made
// (false).
bool MakeShortcutGroup(const std::string& group, const std::vector<GroupItem>& items,
                       const std::string& workingFolder);

}  // namespace work
