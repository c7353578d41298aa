// Starting programs, and Dynamic Data Exchange with a running one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// What became of a DDE execute transaction.
enum class DdeResult {
    Executed,        // the server carried the command out
    NoConversation,  // no server accepted the conversation
    NoAnswer,        // the server accepted the conversation but did not finish the command in time
    Refused,         // the server answered that it did not carry the command out
};

// What became of a program started with administrator rights.
enum class ElevatedStart {
    Started,
    Refused,  // the person said no when the system asked to confirm
    Failed,   // it could not be started
};
struct ElevatedRun {
    ElevatedStart start = ElevatedStart::Failed;
    int64_t exitCode = -1;  // its exit code, when it was started and waited for
};

class Processes {
public:
    // `StartProgram` is WinExec: true when the program was started.
    // `RunAndWait` returns the exit code, or -1 when nothing could be started
    // (including a command line longer than `MaxCommandLine`).
    virtual bool StartProgram(const std::string& commandLine, int showMode) = 0;
    virtual int64_t RunAndWait(const std::string& commandLine, int showMode) = 0;
    virtual size_t MaxCommandLine() = 0;
    // Starts `program` with `parameters` and administrator rights: the system asks the
    // person to confirm (on Windows, the "runas" verb; a program that has them already
    // just starts). With `wait`, returns when it ended, with its exit code.
    virtual ElevatedRun StartElevated(const std::string& /*program*/, const std::string& /*parameters*/,
                                      int /*showMode*/, bool /*wait*/) {
        return {};
    }

    // One conversation with service/topic (an empty topic is none), waiting at most
    // `timeoutMs` for a server to take it; then each command as an execute transaction of
    // its own, in order (some shells carry out only the first command of a transaction),
    // waiting at most `timeoutMs` for each to be finished. The first command that is not
    // carried out ends the conversation and gives the result.
    virtual DdeResult DdeExecute(const std::string& service, const std::string& topic,
                                 const std::vector<std::string>& commands, uint32_t timeoutMs) = 0;

protected:
    ~Processes() = default;
};

}  // namespace plat
