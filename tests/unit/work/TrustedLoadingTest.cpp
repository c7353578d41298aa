// What the work starts and loads with administrator rights comes from where it is named in
// full: the Windows folder, the engine's registration, the program's own folder; never
// from the current folder or a search by bare name, where anyone may have laid a copy.
#include <gtest/gtest.h>

#include "tests/support/ConfigMachine.h"
#include "tests/support/RecordingReports.h"
#include "upgrade/UpgradeLibrary.h"
#include "work/configure/ConfigOrder.h"
#include "work/configure/ConfigSteps.h"

namespace {

using config_test::kBdeReg;
using config_test::kEngineDir;

using TrustedLoadingTest = config_test::ConfigMachine;

TEST_F(TrustedLoadingTest, EachProgramAndLibraryByItsFullPath) {
    const std::string work = "C:\\TEMP\\WinTORVEX-0123456789ABCDEF\\";
    MakeFolders(work);
    MakeFolders("C:\\WinTorv");
    Machine().SetModuleFileName(work + "INSTTORV.EXE");
    testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, work + "UPGRADE.DLL");
    for (const std::string& decoy : {work, std::string("C:\\WinTorv\\")})
        testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, decoy + "IDAPI32.DLL");
    ASSERT_TRUE(Machine().ChangeDirectory("C:\\WinTorv"));
    for (const char* name : {"HHUPD.EXE", "TREGSVR.EXE"}) WriteFile(std::string("C:\\WinTorv\\") + name, "x");
    WriteFile(kBdeReg, "REGEDIT4\r\n\"DLLPATH\"=\"$ProgDir$\"\r\n");

    testing_support::RecordingReports reports;
    const work::ConfigOrder order = work::ConfigOrderOf(core::State());
    EXPECT_TRUE(work::DoConfigBDE(order, reports));
    work::DoConfigConfigSys(order);
    EXPECT_TRUE(LoadUpgradeDll());
    std::vector<std::string> seen = Machine().Journal();
    for (const std::string& library : Machine().LibrariesLoaded()) seen.push_back("LOAD " + library);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "RUN C:\\WINDOWS\\regedit.exe /s \"" + kBdeReg + "\"",
                        "RUN C:\\WinTorv\\HHUPD.EXE /Q",
                        "RUN C:\\WinTorv\\TREGSVR.EXE -Q C:\\WinTorv\\CFX32.OCX",
                        "LOAD " + kEngineDir + "\\IDAPI32.DLL",  // from its DLLPATH alone
                        "LOAD " + work + "UPGRADE.DLL",
                    }));
    UnloadUpgradeDll();
}

}  // namespace
