#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/Startup.h"
#include "core/WorkFolder.h"
#include "tests/support/VirtualMachine.h"

using namespace core;

TEST(LogSwitch, OnlyMinusLogFollowedByAnotherArgument) {
    EXPECT_FALSE(LogRequested({}));
    EXPECT_FALSE(LogRequested({"-log"}));
    EXPECT_TRUE(LogRequested({"-log", "x"}));
    EXPECT_TRUE(LogRequested({"-log", "-log", "-log", "-log"}));
    EXPECT_FALSE(LogRequested({"-LOG", "x"}));
    EXPECT_FALSE(LogRequested({"x", "-log"}));
}

class StartupTest : public testing_support::VirtualMachineTest {};

TEST_F(StartupTest, WorkFolderIsTempOrTheWindowsFolderAlwaysWithABackslash) {
    Machine().SetEnvironment("TEMP", "C:\\Users\\Temp");
    EXPECT_EQ(GetWorkCopyDir(), "C:\\Users\\Temp\\");
    Machine().SetEnvironment("TEMP", "C:\\T\\");
    EXPECT_EQ(GetWorkCopyDir(), "C:\\T\\");
    Machine().SetEnvironment("TEMP", "");
    EXPECT_EQ(GetWorkCopyDir(), "C:\\WINDOWS\\");
    Machine().UnsetEnvironment("TEMP");
    EXPECT_EQ(GetWorkCopyDir(), "C:\\WINDOWS\\");
}

TEST_F(StartupTest, MarkerGivesItsFirstLineUnchanged) {
    WriteFile("C:\\M1.DAT", "A:\\\r\nsecond line\r\n");
    EXPECT_EQ(ReadMarker("C:\\M1.DAT"), "A:\\");
    WriteFile("C:\\M2.DAT", "");
    EXPECT_EQ(ReadMarker("C:\\M2.DAT"), "") << "an empty marker is no failure";
    WriteFile("C:\\M3.DAT", "D:\\KIT\\");
    EXPECT_EQ(ReadMarker("C:\\M3.DAT"), "D:\\KIT\\");
    EXPECT_EQ(ReadMarker("C:\\MISSING.DAT"), std::nullopt);
}

TEST_F(StartupTest, CopyOfExactMultiplesOfTheBufferAndOfEmptyFiles) {
    std::vector<char> buffer(CopyBufferSize);
    std::string failure;
    for (size_t size : {size_t{0}, CopyBufferSize, 2 * CopyBufferSize, CopyBufferSize + 1}) {
        std::string content(size, '\0');
        for (size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 4096);
        WriteFile("C:\\SRC.BIN", content);
        ASSERT_TRUE(CopySetFile("C:\\SRC.BIN", "C:\\DST.BIN", buffer, &failure)) << size << failure;
        EXPECT_EQ(ReadFile("C:\\DST.BIN"), content) << size;
    }
}

TEST_F(StartupTest, FailedCopyNamesTheFileAndLeavesNoPartialTarget) {
    std::vector<char> buffer(CopyBufferSize);
    std::string failure;
    EXPECT_FALSE(CopySetFile("A:\\UPGRADE.1", "C:\\TEMP\\UPGRADE.ZIP", buffer, &failure));
    EXPECT_NE(failure.find("A:\\UPGRADE.1"), std::string::npos);

    WriteFile("C:\\BIG.BIN", std::string(3'000'000, 'x'));
    Machine().FailWritesAfter("COPY.BIN", 1'000'000);
    EXPECT_FALSE(CopySetFile("C:\\BIG.BIN", "C:\\TEMP\\COPY.BIN", buffer, &failure));
    EXPECT_NE(failure.find("C:\\TEMP\\COPY.BIN"), std::string::npos);
    EXPECT_FALSE(Machine().FileExists("C:\\TEMP\\COPY.BIN"));
}

TEST_F(StartupTest, WorkingCopyHoldsTheSetUnderNewNamesAndTheMarkerWithThePersonsNetworkDrives) {
    Machine().AddShare("\\\\SRV\\OFFICE");
    Machine().ConnectDrive('N', "\\\\SRV\\OFFICE");
    MakeFolders("C:\\MEDIA");
    WriteFile("C:\\MEDIA\\INSTALL.EXE", "exe");
    WriteFile("C:\\MEDIA\\UPGRADE.1", "zip");
    WriteFile("C:\\MEDIA\\INSTALL.CFG", "cfg");
    std::string failure;
    ASSERT_TRUE(PrepareWorkingCopy("C:\\MEDIA\\", "C:\\TEMP\\", &failure)) << failure;
    EXPECT_EQ(ReadFile("C:\\TEMP\\INSTTORV.EXE"), "exe");
    EXPECT_EQ(ReadFile("C:\\TEMP\\UPGRADE.ZIP"), "zip");
    EXPECT_EQ(ReadFile("C:\\TEMP\\INSTTORV.CFG"), "cfg");
    EXPECT_EQ(ReadFile("C:\\TEMP\\INSTTORV.DAT"), "C:\\MEDIA\\\r\nN:=\\\\SRV\\OFFICE\r\n");
}

TEST_F(StartupTest, MissingSetFileStopsBeforeTheMarkerIsWritten) {
    MakeFolders("C:\\MEDIA");
    WriteFile("C:\\MEDIA\\INSTALL.EXE", "exe");
    WriteFile("C:\\MEDIA\\INSTALL.CFG", "cfg");
    std::string failure;
    EXPECT_FALSE(PrepareWorkingCopy("C:\\MEDIA\\", "C:\\TEMP\\", &failure));
    EXPECT_NE(failure.find("UPGRADE.1"), std::string::npos);
    EXPECT_FALSE(Machine().FileExists("C:\\TEMP\\INSTTORV.DAT"));
}

TEST_F(StartupTest, WorkFolderIsNamedByTheGeneratorAndATakenNameIsPassedOver) {
    std::string failure;
    Machine().SeedRandom(7);
    const auto first = MakeWorkFolder("C:\\TEMP\\", &failure);
    Machine().SeedRandom(7);  // the same name again: taken
    const auto second = MakeWorkFolder("C:\\TEMP\\", &failure);
    ASSERT_TRUE(first && second) << failure;
    EXPECT_NE(*first, *second);
    EXPECT_TRUE(IsWorkFolder(*first) && Machine().DirectoryExists(*second));
    EXPECT_FALSE(MakeWorkFolder("C:\\NOWHERE\\", &failure));
    EXPECT_EQ(failure.rfind("Nu pot crea folderul de lucru\rC:\\NOWHERE\\WinTORVEX-", 0), 0u) << failure;
}

TEST_F(StartupTest, WorkFolderGoesWithItsFilesTheRunningProgramAtRestartAndNothingElse) {
    std::string failure;
    const std::string folder = MakeWorkFolder("C:\\TEMP\\", &failure).value_or("");
    const std::string other = MakeWorkFolder("C:\\TEMP\\", &failure).value_or("");
    for (const char* name : {"INSTTORV.EXE", "INSTTORV.DAT", "UPGRADE.DLL"}) WriteFile(folder + name, "x");
    MakeFolders(other + "LINK");
    WriteFile(other + "LINK\\KEPT.TXT", "x");
    MakeFolders("C:\\MEDIA");
    WriteFile("C:\\MEDIA\\INSTTORV.DAT", "x");
    Machine().SetModuleFileName(folder + "INSTTORV.EXE");
    for (const std::string& each : {folder, other, std::string("C:\\MEDIA\\")}) RemoveWorkFolder(each);
    EXPECT_FALSE(Machine().DirectoryExists(folder));
    ASSERT_EQ(Machine().Journal().size(), 1u);
    EXPECT_EQ(Machine().Journal()[0].rfind("REMOVE AT RESTART C:\\TEMP\\~TORV", 0), 0u) << Machine().Journal()[0];
    EXPECT_TRUE(Machine().FileExists(other + "LINK\\KEPT.TXT")) << "a folder in it is not followed";
    EXPECT_TRUE(Machine().FileExists("C:\\MEDIA\\INSTTORV.DAT")) << "not a working folder";
}

// The system's own box for a drive without a disk is off before the process's first file call.
TEST(PrepareProcess, SilencesDriveErrorBoxesBeforeAnyFileCall) {
    struct Recording : plat::HostPlatform {
        using HostPlatform::HostPlatform;
        std::vector<std::string> calls;
        void SilenceDriveErrorBoxes() override { calls.push_back("error mode"); }
        bool FileExists(const std::string& path) override { return calls.push_back("file"), HostPlatform::FileExists(path); }
        bool DirectoryExists(const std::string& path) override { return calls.push_back("file"), HostPlatform::DirectoryExists(path); }
        std::unique_ptr<plat::File> Open(const std::string& path, plat::OpenMode mode) override {
            return calls.push_back("file"), HostPlatform::Open(path, mode);
        }
    };
    std::string root = (std::filesystem::temp_directory_path() / "torvex-vm-XXXXXX").string();
    Recording machine(mkdtemp(root.data()));
    plat::SetCurrent(&machine);
    PrepareProcess();
    plat::SetCurrent(nullptr);
    std::filesystem::remove_all(root);
    ASSERT_GE(machine.calls.size(), 2u);
    EXPECT_EQ(machine.calls.front(), "error mode");
    EXPECT_EQ(std::count(machine.calls.begin(), machine.calls.end(), "error mode"), 1);
}
