// The Start Menu of every user of the machine: its Programs folder and the shortcuts in
// it, which is where a program group goes when no Program Manager answers.
#pragma once

#include <optional>
#include <string>

namespace plat {

// What a shortcut starts: the program, its arguments, and the folder it starts in.
struct Shortcut {
    std::string target;
    std::string arguments;
    std::string workingFolder;
};

class StartMenu {
public:
    // The Programs folder of the Start Menu that all users share, made when missing;
    // nothing when the system has none. A platform without a Start Menu (a tool's, a
    // fuzzer's) has none.
    virtual std::optional<std::string> CommonProgramsFolder();
    // Saves `shortcut` as the shell link `path` (a ".lnk" file in an existing folder),
    // replacing one there; false when it could not.
    virtual bool SaveShortcut(const std::string& path, const Shortcut& shortcut);

protected:
    ~StartMenu() = default;
};

}  // namespace plat
