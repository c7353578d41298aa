// The program run as its own uninstaller: "DEZINST.EXE -uninstall [-auto]" from the
// program folder, or "INSTALL.EXE -uninstall" from the media, which takes the program
// folder from the system's list of programs. It reads the record there, shows the
// uninstall page over the backdrop and takes back what the record lists. With "-auto"
// nobody is asked: the page goes on by itself, the run log is on (never waiting for a
// click), and the exit code tells the outcome. The uninstall changes the machine: a run
// without administrator rights starts itself again with them (the system asks the
// person) and ends with that run's code.
#pragma once

#include <string>
#include <vector>

namespace pages {

// 0 when all it meant to remove was removed (files kept by the rules are listed, and are
// no failure); 3 when something could not be removed (listed on the page and in the log);
// 1 when the user did not go on; 5 when there is no readable record; 8 when the rights
// were refused or are missing, and nothing was removed.
int RunUninstall(const std::vector<std::string>& arguments);

}  // namespace pages
