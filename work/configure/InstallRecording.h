// Once a run has installed or upgraded: the record in the program folder is brought up to
// date with what this run made, the uninstaller is put beside it (DEZINST.EXE, this very
// program), and the product is entered in the system's list of programs.
#pragma once

#include "journal/UpgradeJournal.h"
#include "work/Reports.h"
#include "work/configure/ConfigOrder.h"

namespace work {

inline constexpr char kProgramListKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinTORVEX";

// With an upgrade's `journal`, the record and the uninstaller are written through it, so
// that they are put back with the installation when the upgrade is undone. False when the
// record could not be written whole; the user has been told why.
bool RecordThisRun(const ConfigOrder& order, Reports& reports, journal::UpgradeJournal* journal = nullptr);

}  // namespace work
