// What a run came to, and the exit code that tells it: given by the working copy and
// passed on by the media instance of an unattended run, so that a deployment script can
// tell how it went. Each outcome is set where it happens; this one table turns it into
// the code and the run log's last note.
#pragma once

#include <string>

namespace answers {

enum ExitCode : int {
    ExitDone = 0,            // installed or upgraded, to the end page; uninstalled
    ExitAbandoned = 1,       // Cancel or Abandon was the answer
    ExitBadAnswers = 2,      // the answers file is missing, unreadable or wrong
    ExitCopyFailed = 3,      // the copy failed; the installation is as the copy pages leave it
    ExitConfigFailed = 4,    // a configuration step failed
    ExitNotFound = 5,        // no installation to upgrade, or no upgrade library
    ExitNeedsDisks = 6,      // the media needs a person to change disks
    ExitAnotherRunning = 7,  // another installation runs on this machine; nothing was touched
    ExitNoRights = 8,        // no administrator rights (the prompt refused); nothing was changed
};

enum class Outcome {
    Installed,              // installed or upgraded, to the end page
    Abandoned,              // Cancel or Abandon was the answer
    AnswersWrong,           // the answers file, or an answer the pages refuse
    CopyFailed,             // the copy failed, or the working copy could not be made or started
    ProgramFault,           // the program met a fault of its own and stopped
    ConfigFailed,           // a configuration step or a database upgrade step failed
    NothingToUpgrade,       // the installation to upgrade was not found
    NoUpgradeLibrary,       // UPGRADE.DLL did not load
    NeedsDisks,             // a disk to change, and nobody to change it
    AnotherRunning,         // another INSTALL.EXE runs on this machine
    Uninstalled,            // the uninstall removed all it meant to (kept files by its rules)
    UninstallLeftSomething, // something it meant to remove could not be removed
    NoInstallation,         // no record of an installation to take back
    ElevationRefused,       // the person refused the system's prompt for administrator rights
    NoAdministratorRights,  // the work would change the machine, and this program may not
};

int ExitCodeOf(Outcome outcome);

// "Cod de iesire 3: copierea a esuat", for the run log's last lines.
std::string ExitCodeNote(Outcome outcome);

}  // namespace answers
