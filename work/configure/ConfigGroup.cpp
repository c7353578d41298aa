// The program group step: one DDE conversation with the Program Manager, all commands in
// one execute transaction that the shell gets a bounded time to finish.
#include <array>

#include "core/Log.h"
#include "work/configure/ConfigSteps.h"
#include "work/LoggedStep.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {


struct GroupItem {
    std::string_view program;
    std::string_view title;
    std::string_view presentWith;  // the item is made only when this file is in WorkDir; empty: always
};
constexpr std::array<GroupItem, 4> kGroupItems = {{
    {"TORVEX.EXE", "Torvex", ""},
    {"SERVICE.EXE", "Service", "VANTIR.EXE"},
    {"VANTIR.EXE", "Vantir", "VANTIR.EXE"},
    {"MIRDAN.EXE", "Mirdan", "MIRDAN.EXE"},
}};

std::string JoinedByLineEnds(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) joined += (joined.empty() ? "" : "\r\n") + line;
    return joined;
}

}  // namespace

std::vector<std::string> ProgramGroupCommands(std::string_view programDir, std::string_view workDir) {
    std::vector<std::string> commands = {std::string("[CreateGroup(\"") + kGroupName + "\")]"};
    for (const GroupItem& item : kGroupItems) {
        if (!item.presentWith.empty() && !plat::Current().FileExists(plat::JoinPath(workDir, item.presentWith)))
            continue;
        commands.push_back("[AddItem(\"" + plat::JoinPath(programDir, item.program) + "\", \"" +
                           std::string(item.title) + "\")]");
    }
    commands.push_back(std::string("[ShowGroup(\"") + kGroupName + "\",8)]");
    return commands;
}

bool DoConfigGroup(const ConfigOrder& order, Reports& reports) {
    LoggedStep step("DoConfigGroup");
    plat::DdeResult result = plat::Current().DdeExecute(
        kShellService, "", JoinedByLineEnds(ProgramGroupCommands(order.programDir, order.workDir)),
        kProgramGroupTimeoutMs);
    if (result == plat::DdeResult::Executed) {
        record::ThisRun().group = kGroupName;
        return true;
    }
    core::LogNote("Eroare initializare conversatie DDE");
    Notice notice;
    notice.text = "Eroare DDE!";
    notice.title = kErrorBoxTitle;
    notice.choices = Choices::CancelOnly;
    reports.Tell(notice);
    return false;
}

}  // namespace work
