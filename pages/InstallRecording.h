// Once a run has installed or upgraded: the record in the program folder is brought up to
// date with what this run made, the uninstaller is put beside it (DEZINST.EXE, this very
// program), and the product is entered in the system's list of programs.
#pragma once

namespace pages {

inline constexpr char kProgramListKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinTORVEX";

// A record that cannot be written is shown in an error box; the installation stands.
void RecordThisRun();

}  // namespace pages
