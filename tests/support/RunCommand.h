// Runs a shell command as a user runs a tool, for tests of the command-line tools: its
// exit status and everything it printed (error output included).
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace testing_support {

struct CommandOutcome {
    int status = -1;  // -1 when it could not run or did not exit
    std::string output;
};

inline CommandOutcome RunCommand(const std::string& command) {
    CommandOutcome outcome;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return outcome;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.output.append(buffer, got);
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

}  // namespace testing_support
