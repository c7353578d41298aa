// The uninstall and administrator rights: a run without them starts itself again with
// them and ends with that run's code; a refused prompt, or a run started for the rights
// that still lacks them, says so and removes nothing.
#include <gtest/gtest.h>

#include "pages/uninstall/UninstallRun.h"
#include "tests/support/VirtualMachine.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using UninstallRightsTest = testing_support::VirtualMachineTest;

TEST_F(UninstallRightsTest, WithoutRightsItRunsAgainWithThemOrSaysWhyAndRemovesNothing) {
    const std::string program = "C:\\WinTorv\\DEZINST.EXE";
    const struct Row {
        const char* what;
        bool refused;
        std::vector<std::string> arguments;
        int code;
        std::vector<std::string> started;
    } rows[] = {
        {"started again, with the rights", false, {"-uninstall"}, 3, {"RUNAS " + program + " -uninstall -elevated"}},
        {"the prompt refused", true, {"-uninstall"}, 8, {}},
        {"started for the rights, still without them", false, {"-uninstall", "-elevated"}, 8, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        SetUp();
        MakeFolders("C:\\WinTorv");
        WriteFile(program, "the uninstaller");
        WriteFile("C:\\WinTorv\\DEZINST.INI", "the record");
        Machine().SetModuleFileName(program);
        Machine().SetAdministratorRights(false);
        Machine().RefuseElevation(row.refused);
        Machine().MapProgram("DEZINST", [](const std::string&) { return int64_t{3}; });
        ui::headless::Script script;
        if (row.code == 8) script.AnswerMessage("OK");
        EXPECT_EQ(pages::RunUninstall(row.arguments), row.code);
        EXPECT_TRUE(script.Ok()) << script.Error();
        EXPECT_EQ(Machine().Journal(), row.started);
        if (row.code == 8) {
            EXPECT_EQ(script.Messages().at(0).title, "Drepturi de administrator");
        }
        EXPECT_EQ(ReadFile("C:\\WinTorv\\DEZINST.INI"), "the record");
    }
}

}  // namespace
