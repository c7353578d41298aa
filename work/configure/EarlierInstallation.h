// An installation made before the record existed has no record of its aliases, its program
// group and its default user in WIN.INI, and an upgrade writes none of them again. They
// are the product's own names; those that point at the installation being upgraded are
// taken as its own, so that its uninstall takes them back too.
#pragma once

#include "work/configure/ConfigOrder.h"

namespace work {

// Before the upgrade writes its record (InstallRecording.h): when the program folder has no
// record yet, notes in this run's making the product's aliases that lead to the
// installation's data folder (as the upgrade library reads them) and, when there are any,
// the product's group and its default user, unless WIN.INI names another program folder.
void TakeEarlierInstallation(const ConfigOrder& order);

}  // namespace work
