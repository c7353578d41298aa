// The switches of an unattended run, anywhere on the command line:
//   -auto FILE    run without questions from the answers in FILE
//   -record FILE  run as usual and, once installed or upgraded, write the answers to FILE
// A relative FILE is taken from `startFolder`, the folder the program was started in.
// A switch without its file right after a first "-log" is only the log's second argument
// ("-log -auto" turns the run log on, and the wizard runs as usual).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace answers {

inline constexpr char AutoSwitch[] = "-auto";
inline constexpr char RecordSwitch[] = "-record";
inline constexpr char LogSwitch[] = "-log";

struct RunSwitches {
    std::string autoFile;    // empty: not an unattended run
    std::string recordFile;  // empty: nothing recorded
    std::string problem;     // a switch without its file, or given twice

    bool Unattended() const { return !autoFile.empty(); }
};

RunSwitches ParseRunSwitches(const std::vector<std::string>& arguments, const std::string& startFolder);

// The switches again, for the working copy's command line (files already absolute,
// quoted when they hold a blank); empty when there are none. Begins with a blank.
std::string SwitchesForCommandLine(const RunSwitches& switches);

}  // namespace answers
