// The exit codes of a run, given by the working copy and passed on by the media instance
// of an unattended run, so that a deployment script can tell how it went.
#pragma once

#include <string>

namespace answers {

enum ExitCode : int {
    ExitDone = 0,          // installed or upgraded, to the end page
    ExitAbandoned = 1,     // Cancel or Abandon was the answer
    ExitBadAnswers = 2,    // the answers file is missing, unreadable or wrong
    ExitCopyFailed = 3,    // the copy failed; the installation is as the copy pages leave it
    ExitConfigFailed = 4,  // a configuration step failed
    ExitNotFound = 5,      // no installation to upgrade, or no upgrade library
    ExitNeedsDisks = 6,    // the media needs a person to change disks
};

// "Cod de iesire 3: copierea a esuat", for the run log's last lines.
std::string ExitCodeNote(int code);

}  // namespace answers
