// The body of the small component installers' stand-ins (HHUPD.EXE, TREGSVR.EXE): each
// appends "<PROGRAM> <its arguments>" to the journal STANDINS.LOG beside itself and exits.
// The arguments are recorded as the program received them (on Windows the raw command
// line, quotes included), so that tests can check how the setup program quoted paths.
//
// Test hooks: the variable <PROGRAM>_EXIT (HHUPD_EXIT, TREGSVR_EXIT) sets the exit code;
// <PROGRAM>_HOLD names a file: the program waits until it exists (at most a minute) before
// it ends, so that a test can look at the setup program while it waits.
// STANDIN_PROGRAM (e.g. "HHUPD") is defined by the build.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "standins/common/StandinSupport.h"

namespace {

constexpr char kProgram[] = STANDIN_PROGRAM;

#if defined(_WIN32)
// The command line after the program's own name, as Windows handed it over.
std::string Arguments(int, char**) {
    const char* line = ::GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}
#else
// The host hands over separate arguments; one with a blank is shown quoted again.
std::string Arguments(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!text.empty()) text += ' ';
        const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        text += quote ? "\"" + argument + "\"" : argument;
    }
    return text;
}
#endif

void WaitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            std::fclose(file);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string arguments = Arguments(argc, argv);
    const std::string journal = standin::FolderOf(standin::ProgramPath()) + standin::kJournalName;
    const std::string name = std::string(kProgram) + ".EXE";
    if (!standin::AppendLine(journal, arguments.empty() ? name : name + " " + arguments))
        return 1;
    if (const auto hold = standin::EnvironmentValue((std::string(kProgram) + "_HOLD").c_str())) WaitForFile(*hold);
    const auto exitCode = standin::EnvironmentValue((std::string(kProgram) + "_EXIT").c_str());
    return exitCode ? std::atoi(exitCode->c_str()) : 0;
}
