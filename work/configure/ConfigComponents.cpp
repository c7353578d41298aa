// The run-time components step: the product's default user in WIN.INI, then the two
// component installers that the archives brought, each waited for.
#include <array>

#include "core/RunAndWait.h"
#include "work/configure/ConfigSteps.h"
#include "work/LoggedStep.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

struct ComponentInstaller {
    std::string_view program;
    std::string_view options;
    std::string_view fileArgument;  // a file of the program folder, or none
};
constexpr std::array<ComponentInstaller, 2> kComponentInstallers = {{
    {"HHUPD.EXE", "/Q", ""},
    {"TREGSVR.EXE", "-Q", "CFX32.OCX"},
}};

}  // namespace

std::vector<std::string> ComponentCommandLines(std::string_view programDir) {
    std::vector<std::string> lines;
    for (const ComponentInstaller& installer : kComponentInstallers) {
        std::string line = plat::QuotedIfBlank(plat::JoinPath(programDir, installer.program));
        line.append(" ").append(installer.options);
        if (!installer.fileArgument.empty())
            line.append(" ").append(plat::QuotedIfBlank(plat::JoinPath(programDir, installer.fileArgument)));
        lines.push_back(line);
    }
    return lines;
}

void DoConfigConfigSys(const ConfigOrder& order) {
    LoggedStep step("DoConfigConfigSys");
    record::NoteProfileValue("Torvex", "LastUser");
    plat::Current().WriteProfile("Torvex", "LastUser", "Master");
    for (const std::string& line : ComponentCommandLines(order.programDir))
        core::RunAndWait(line, kShowMinimized);
}

}  // namespace work
