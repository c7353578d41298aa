// The program entry. One program file plays two roles, decided at every start by one
// test: can the marker file INSTTORV.DAT be read from the program's own folder?
//  - No: this is the media instance. It runs as the person who started it: it copies the
//    installer set into a working folder of its own, writes the marker there naming the
//    media folder (and the person's network drives), starts the copy with administrator
//    rights and ends.
//  - Yes: this is the working copy. It makes sure it has the rights, runs the wizard over
//    the backdrop, and removes its working folder as it ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Wizard.h"

namespace core {

// The installer set: copied from the media under its working names, in this order.
struct InstallerSetFile {
    const char* onMedia;
    const char* inWorkFolder;
};
inline constexpr InstallerSetFile InstallerSet[] = {
    {"INSTALL.EXE", "INSTTORV.EXE"},
    {"UPGRADE.1", "UPGRADE.ZIP"},
    {"INSTALL.CFG", "INSTTORV.CFG"},
};
inline constexpr const char* MarkerFileName = "INSTTORV.DAT";
inline constexpr const char* WorkCopyProgram = "INSTTORV.EXE";
inline constexpr const char* LogFileName = "c:\\torvinst.log";
inline constexpr char kUninstallSwitch[] = "-uninstall";
inline constexpr size_t CopyBufferSize = 2'500'000;

// Run log on the command line: at least two arguments, the first exactly "-log".
bool LogRequested(const std::vector<std::string>& arguments);

// Where working folders are made (WorkFolder.h), and where the run log goes when it
// cannot go anywhere else: TEMP, or the Windows folder when TEMP is unset or empty;
// always with a trailing backslash.
std::string GetWorkCopyDir();

// The first line of the marker file, or nothing when it cannot be read.
std::optional<std::string> ReadMarker(const std::string& markerPath);

// Copies `source` to `target` in chunks of CopyBufferSize through `buffer`. On failure
// the partly written target is removed and `failure` names what went wrong.
bool CopySetFile(const std::string& source, const std::string& target, std::vector<char>& buffer,
                 std::string* failure);

// Copies the installer set from `installerDir` into `workCopyDir` and writes the marker:
// the media folder, then the network drives this program sees. On failure nothing is
// started; `failure` holds the text for the user.
bool PrepareWorkingCopy(const std::string& installerDir, const std::string& workCopyDir,
                        std::string* failure);

// The arguments the working copy is started with: the log's, then `switches` (which
// begin with a blank, as answers::SwitchesForCommandLine gives them).
std::string WorkCopyParameters(bool logEnabled, const std::string& switches);

// Opens the run log of a run that nobody watches, which must never wait for a click: no
// box tells of the log's failures. When LogFileName cannot be written, the log is kept in
// the working folder instead and its first note says why; when no log can be written at
// all, the run goes on without one.
void OpenLogNobodyWatches(const std::string& sessionName);

// What the process settles before its first file call: the system shows no box of its
// own for a drive without a disk (the program asks for its disks itself); then whether
// "debug.pas" beside the program turns the run log on. The Windows entry calls it first.
void PrepareProcess();

// The whole program: both roles. `arguments` excludes the program's own name; `pages`
// is the wizard's page table (the product's own unless a test brings its pages).
// `uninstall` runs instead when the command line holds "-uninstall", or the program runs
// under its uninstaller's name (DEZINST.EXE, its copy in the program folder), and returns
// the exit code.
using UninstallEntry = int (*)(const std::vector<std::string>& arguments);
int RunInstaller(const std::vector<std::string>& arguments, const PageTableType& pages,
                 UninstallEntry uninstall = nullptr);

}  // namespace core
