// Runs another program of the build machine as it is (no shell between): its exit status
// and everything it printed, error output included.
#pragma once

#include <string>
#include <vector>

namespace mkmedia {

struct ToolRun {
    bool started = false;  // false: the program could not be started (not installed)
    int status = -1;       // its exit status; -1 when it did not exit
    std::string output;
};

// `command[0]` is looked up in PATH.
ToolRun RunTool(const std::vector<std::string>& command);

}  // namespace mkmedia
