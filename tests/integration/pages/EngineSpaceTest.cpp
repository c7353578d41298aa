// The room a fresh installation asks of each drive, when an engine installed already
// keeps the engine's archive packed.
#include <gtest/gtest.h>

#include "tests/integration/pages/CopyMediaFixture.h"

namespace {

using EngineSpaceTest = copy_test::CopyMediaTest;

TEST_F(EngineSpaceTest, AnInstalledEngineAsksNoRoomOfTheSystemDrive) {
    archives_["BDE32"] = copy_test::ArchiveOf({{"IDAPI32.DLL", std::string(200000, 'e')}});
    MakeCd();
    Machine().AddDrive('E', plat::DriveType::Fixed);
    MakeFolders("E:\\WinTorv");
    MakeFolders("E:\\TorvData");
    core::InstallState& state = core::State();
    state.ProgramDir = state.WorkDir = "E:\\WinTorv\\";
    state.DataDir = "E:\\TorvData\\";
    MakeFolders("C:\\BDE");
    WriteFile("C:\\BDE\\IDAPI32.DLL", "installed engine");
    Machine().RegistryWriteString("Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "VERSION", "5.0");
    Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
    // The system drive is nearly full: the engine's archive would not fit on it.
    Machine().SetDriveQuota('C', uint64_t(1) << 40);
    const uint64_t used = (uint64_t(1) << 40) - Machine().FreeSpace("C:\\").value();
    Machine().SetDriveQuota('C', used + 50000);

    ui::headless::Script script;
    EXPECT_EQ(Work().Run(), work::CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty()) << script.Messages()[0].text;
    EXPECT_EQ(ReadFile("E:\\WinTorv\\MIRDAN.EXE"), "mirdan");
    EXPECT_FALSE(Machine().DirectoryExists("C:\\Program Files\\Borland"));
}

}  // namespace
