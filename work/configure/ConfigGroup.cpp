// The program group step: the Program Manager is asked first, through one DDE
// conversation with each command in an execute transaction of its own, each wait bounded; when it
// does not do it, the group is made as a folder of shortcuts in the Start Menu.
#include <array>

#include "core/Log.h"
#include "work/configure/ConfigSteps.h"
#include "work/configure/ShortcutGroup.h"
#include "work/LoggedStep.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

struct GroupItemRule {
    std::string_view program;
    std::string_view title;
    std::string_view presentWith;  // the item is made only when this file is in WorkDir; empty: always
};
constexpr std::array<GroupItemRule, 4> kGroupItems = {{
    {"TORVEX.EXE", "Torvex", ""},
    {"SERVICE.EXE", "Service", "VANTIR.EXE"},
    {"VANTIR.EXE", "Vantir", "VANTIR.EXE"},
    {"MIRDAN.EXE", "Mirdan", "MIRDAN.EXE"},
}};

// Why the Program Manager did not make the group, for the run log.
struct Refusal {
    plat::DdeResult result;
    const char* why;
};
constexpr Refusal kRefusals[] = {
    {plat::DdeResult::NoConversation, "Program Manager nu raspunde la conversatia DDE"},
    {plat::DdeResult::NoAnswer, "Program Manager nu a terminat comenzile grupului la timp"},
    {plat::DdeResult::Refused, "Program Manager a refuzat comenzile grupului"},
};

std::string WhyNotMade(plat::DdeResult result) {
    for (const Refusal& refusal : kRefusals)
        if (refusal.result == result) return refusal.why;
    return {};
}

void TellNeitherWay(Reports& reports) {
    core::LogNote("Eroare initializare conversatie DDE");
    Notice notice;
    notice.text = "Eroare DDE!";
    notice.title = kErrorBoxTitle;
    notice.choices = Choices::CancelOnly;
    reports.Tell(notice);
}

}  // namespace

std::vector<GroupItem> ProgramGroupItems(std::string_view programDir, std::string_view workDir) {
    std::vector<GroupItem> items;
    for (const GroupItemRule& item : kGroupItems) {
        if (!item.presentWith.empty() && !plat::Current().FileExists(plat::JoinPath(workDir, item.presentWith)))
            continue;
        items.push_back({std::string(item.title), plat::JoinPath(programDir, item.program)});
    }
    return items;
}

std::vector<std::string> ProgramGroupCommands(const std::vector<GroupItem>& items) {
    std::vector<std::string> commands = {std::string("[CreateGroup(\"") + kGroupName + "\")]"};
    for (const GroupItem& item : items)
        commands.push_back("[AddItem(\"" + item.program + "\", \"" + item.title + "\")]");
    commands.push_back(std::string("[ShowGroup(\"") + kGroupName + "\",8)]");
    return commands;
}

bool DoConfigGroup(const ConfigOrder& order, Reports& reports) {
    LoggedStep step("DoConfigGroup");
    const std::vector<GroupItem> items = ProgramGroupItems(order.programDir, order.workDir);
    const plat::DdeResult result =
        plat::Current().DdeExecute(kShellService, "", ProgramGroupCommands(items), kShellAnswerMs);
    if (result == plat::DdeResult::Executed) {
        record::ThisRun().group = kGroupName;
        record::ThisRun().groupWay = record::GroupWay::ProgramManager;
        core::LogNote(std::string("Grupul ") + kGroupName + " a fost creat de Program Manager");
        return true;
    }
    core::LogNote(WhyNotMade(result) + "; creez grupul ca folder de scurtaturi");
    // The Program Manager starts an item in its program's folder.
    if (MakeShortcutGroup(kGroupName, items, order.programDir)) return true;
    TellNeitherWay(reports);
    return false;
}

}  // namespace work
