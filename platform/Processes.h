// Starting programs, and Dynamic Data Exchange with a running one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

// What became of a DDE execute transaction.
enum class DdeResult {
    Executed,        // the server carried the command out
    NoConversation,  // no server accepted the conversation
    NoAnswer,        // the server accepted the conversation but did not finish the command in time
    Refused,         // the server answered that it did not carry the command out
};

class Processes {
public:
    // `StartProgram` is WinExec: true when the program was started.
    // `RunAndWait` returns the exit code, or -1 when nothing could be started
    // (including a command line longer than `MaxCommandLine`).
    virtual bool StartProgram(const std::string& commandLine, int showMode) = 0;
    virtual int64_t RunAndWait(const std::string& commandLine, int showMode) = 0;
    virtual size_t MaxCommandLine() = 0;

    // One execute transaction to service/topic (an empty topic is none), waiting at most
    // `timeoutMs` for a server to take the conversation, and as long again for it to
    // finish the command.
    virtual DdeResult DdeExecute(const std::string& service, const std::string& topic,
                                 const std::string& command, uint32_t timeoutMs) = 0;

protected:
    ~Processes() = default;
};

}  // namespace plat
