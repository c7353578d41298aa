#include "answers/RunSwitches.h"

#include "platform/Paths.h"

namespace answers {

namespace {

// "C:\x", "\x" and "\\server\share\x" stand on their own; anything else is relative.
bool Absolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && plat::IsSeparator(path[0]));
}

}  // namespace

RunSwitches ParseRunSwitches(const std::vector<std::string>& arguments, const std::string& startFolder) {
    RunSwitches switches;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string RunSwitches::*file = nullptr;
        if (plat::EqualsIgnoreCase(arguments[i], AutoSwitch)) file = &RunSwitches::autoFile;
        if (plat::EqualsIgnoreCase(arguments[i], RecordSwitch)) file = &RunSwitches::recordFile;
        if (!file) continue;
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            if (i == 1 && arguments[0] == LogSwitch) continue;
            switches.problem = arguments[i] + ": lipseste numele fisierului";
            continue;
        }
        if (!(switches.*file).empty()) switches.problem = arguments[i] + " este dat de doua ori";
        const std::string& name = arguments[++i];
        switches.*file = Absolute(name) ? name : plat::JoinPath(startFolder, name);
    }
    return switches;
}

std::string SwitchesForCommandLine(const RunSwitches& switches) {
    std::string text;
    if (switches.Unattended()) text += std::string(" ") + AutoSwitch + " " + plat::QuotedIfBlank(switches.autoFile);
    if (!switches.recordFile.empty()) text += std::string(" ") + RecordSwitch + " " + plat::QuotedIfBlank(switches.recordFile);
    return text;
}

}  // namespace answers
