// The three steps of the system configuration page, each between its BEGIN and END lines
// in the run log. They work on the order and the platform, tell nothing but the failures
// named below, and leave the page to mark their rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "work/Reports.h"
#include "work/configure/ConfigOrder.h"

namespace work {

// Registers the database engine (or raises the use count of an engine installed before)
// and adds the product's aliases. A registry file that is missing while an engine is
// installed is not imported (a log note says so). False when the engine's registry file
// should be there and could not be rewritten, or regedit could not start or ended with
// an error: the user has been shown the file and the reason, and no alias was added, as
// no engine is registered to take them.
bool DoConfigBDE(const ConfigOrder& order, Reports& reports);

// Writes the product's default user into WIN.INI and runs the two component installers.
void DoConfigConfigSys(const ConfigOrder& order);

// Creates the product's program group through the Program Manager's DDE service; when no
// Program Manager takes the conversation, finishes the commands in time or carries them
// out, as a folder of shortcuts in the Start Menu instead. The way taken is noted in the
// run log and in the record; only when neither way works is the user told (false).
bool DoConfigGroup(const ConfigOrder& order, Reports& reports);

// --- the pieces, for the tests ---

// The engine's use count after one more installation: the decimal value plus one, 1 when
// the value is missing or not a decimal number.
std::string NextUseCount(const std::optional<std::string>& current);

// The command lines of the two component installers for this program folder.
std::vector<std::string> ComponentCommandLines(std::string_view programDir);

// One item of the program group: its title and the program it starts.
struct GroupItem {
    std::string title;
    std::string program;
};
// The group's items for this installation, in order; the optional ones depend on the
// files present in `workDir`.
std::vector<GroupItem> ProgramGroupItems(std::string_view programDir, std::string_view workDir);
// The Program Manager commands that make the group of these items, in the order they are sent.
std::vector<std::string> ProgramGroupCommands(const std::vector<GroupItem>& items);

// The shell whose DDE service keeps the program groups, and the product's group.
inline constexpr char kShellService[] = "ProgMan";
inline constexpr char kGroupName[] = "WinTORVEX";

// A failure the user must hear of: noted in the run log and told in an error box.
void ReportError(Reports& reports, const std::string& text);

// Outside programs run minimized while the installer waits for them.
inline constexpr int kShowMinimized = 6;
inline constexpr char kErrorBoxTitle[] = "Eroare...";

// How long the Program Manager may take to take the conversation, and again to carry the
// commands out, before the installer counts it as absent.
inline constexpr uint32_t kShellAnswerMs = 5'000;

}  // namespace work
