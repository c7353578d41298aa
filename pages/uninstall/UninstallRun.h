// The program run as its own uninstaller: "DEZINST.EXE -uninstall [-auto]" from the
// program folder. It reads the record beside it, shows the uninstall page over the
// backdrop and takes back what the record lists. With "-auto" nobody is asked: the page
// goes on by itself, the run log is on, and the exit code tells the outcome.
#pragma once

#include <string>
#include <vector>

namespace pages {

// 0 when all was removed; 3 when something was left (listed on the page and in the log);
// 1 when the user did not go on; 5 when there is no readable record beside the program.
int RunUninstall(const std::vector<std::string>& arguments);

}  // namespace pages
