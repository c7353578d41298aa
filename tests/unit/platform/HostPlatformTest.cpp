#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <vector>
#include <fstream>

#include "platform/host/HostPlatform.h"
#include "tests/support/VirtualMachine.h"

using testing_support::VirtualMachineTest;

class HostPlatformTest : public VirtualMachineTest {};

TEST_F(HostPlatformTest, NamesResolveWithoutRegardToCaseAndBothSeparators) {
    auto& vm = Machine();
    ASSERT_TRUE(vm.MakeDirectory("C:\\Media"));
    WriteFile("C:\\Media\\Install.exe", "program");
    EXPECT_TRUE(vm.FileExists("c:/MEDIA/INSTALL.EXE"));
    EXPECT_TRUE(vm.DirectoryExists("C:\\media\\"));
    EXPECT_FALSE(vm.FileExists("C:\\media"));
    EXPECT_EQ(ReadFile("C:\\MEDIA\\install.EXE"), "program");
}

TEST_F(HostPlatformTest, NamesFollowChangesMadeBehindTheMachinesBack) {
    // Each folder's names are read once; changes made on the host folders directly,
    // just after the machine looked, must still be seen.
    auto& vm = Machine();
    ASSERT_TRUE(vm.MakeDirectory("C:\\Data"));
    EXPECT_FALSE(vm.FileExists("C:\\DATA\\a.txt"));
    const std::string folder = vm.HostPath("C:\\Data");
    const auto onHost = [&](const std::string& name) { std::ofstream(folder + "/" + name) << "x"; };
    onHost("A.TXT");
    EXPECT_TRUE(vm.FileExists("C:\\DATA\\a.txt"));
    std::filesystem::rename(folder + "/A.TXT", folder + "/b.TXT");
    EXPECT_FALSE(vm.FileExists("C:\\DATA\\a.txt"));
    EXPECT_TRUE(vm.FileExists("C:\\DATA\\B.txt"));
    std::filesystem::remove(folder + "/b.TXT");
    EXPECT_FALSE(vm.FileExists("C:\\DATA\\B.txt"));
    // A folder put in the place of the indexed one, under the same name.
    std::filesystem::rename(folder, folder + "-old");
    std::filesystem::create_directory(folder);
    onHost("C.TXT");
    EXPECT_TRUE(vm.FileExists("C:\\data\\c.txt"));
    EXPECT_FALSE(vm.FileExists("C:\\data-old\\c.txt"));
    // More changes than one read of the notices takes.
    const std::string longName(200, 'n');
    for (int i = 0; i < 150; ++i) onHost(longName + std::to_string(i));
    EXPECT_TRUE(vm.FileExists("C:\\DATA\\" + std::string(200, 'N') + "149"));
    // Many new names in one folder, each looked up before it is made.
    for (int i = 0; i < 300; ++i) {
        const std::string name = "C:\\DATA\\F" + std::to_string(i) + ".TXT";
        ASSERT_FALSE(vm.FileExists(name));
        ASSERT_TRUE(vm.Open(name, plat::OpenMode::CreateNew)) << name;
        ASSERT_FALSE(vm.Open("C:\\data\\f" + std::to_string(i) + ".txt", plat::OpenMode::CreateNew));
    }
}

TEST_F(HostPlatformTest, FileTimesAreTheDosDateAndTimeInLocalTime) {
    auto& vm = Machine();
    ASSERT_TRUE(vm.MakeDirectory("C:\\Dated"));
    auto file = vm.Open("C:\\Dated\\a.txt", plat::OpenMode::CreateNew);
    ASSERT_TRUE(file);
    const auto dosDate = [](int year, int month, int day) { return uint16_t((year - 1980) << 9 | month << 5 | day); };
    const auto dosTime = [](int hour, int minute, int second) { return uint16_t(hour << 11 | minute << 5 | second / 2); };
    struct Case {
        uint16_t date, time;
        int year, month, day, hour, minute, second;
    } const cases[] = {
        {dosDate(2019, 7, 14), dosTime(13, 45, 30), 2019, 7, 14, 13, 45, 30},
        {dosDate(2019, 7, 14), dosTime(13, 45, 58), 2019, 7, 14, 13, 45, 58},
        {dosDate(2019, 7, 14), dosTime(13, 46, 0), 2019, 7, 14, 13, 46, 0},
        {dosDate(1996, 1, 1), dosTime(0, 0, 2), 1996, 1, 1, 0, 0, 2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(file->SetDosTime(c.date, c.time)) << c.year << "-" << c.month;
        struct stat info {};
        ASSERT_EQ(stat(vm.HostPath("C:\\Dated\\a.txt").c_str(), &info), 0);
        std::tm local{};
        localtime_r(&info.st_mtime, &local);
        EXPECT_EQ((std::vector<int>{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                    local.tm_hour, local.tm_min, local.tm_sec}),
                  (std::vector<int>{c.year, c.month, c.day, c.hour, c.minute, c.second}));
    }
    EXPECT_FALSE(file->SetDosTime(dosDate(2019, 13, 14), dosTime(1, 2, 4)));
}

TEST_F(HostPlatformTest, RelativePathsFollowTheCurrentFolder) {
    auto& vm = Machine();
    ASSERT_TRUE(vm.MakeDirectory("C:\\Work"));
    ASSERT_TRUE(vm.ChangeDirectory("C:\\work"));
    WriteFile("note.txt", "x");
    EXPECT_TRUE(vm.FileExists("C:\\WORK\\NOTE.TXT"));
    EXPECT_FALSE(vm.ChangeDirectory("C:\\nowhere"));
}

TEST_F(HostPlatformTest, FilesReadWriteSeekAndTruncate) {
    auto& vm = Machine();
    auto file = vm.Open("C:\\data.bin", plat::OpenMode::Create);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Write("abcdef", 6), 6);
    ASSERT_TRUE(file->Seek(2));
    ASSERT_TRUE(file->Truncate());
    EXPECT_EQ(file->Size(), 2);
    file.reset();
    EXPECT_EQ(ReadFile("C:\\DATA.BIN"), "ab");
    EXPECT_EQ(vm.Open("C:\\missing.bin", plat::OpenMode::Read), nullptr);
}

TEST_F(HostPlatformTest, InjectedWriteFaultCutsTheFileShort) {
    auto& vm = Machine();
    vm.FailWritesAfter("full.bin", 4);
    auto file = vm.Open("C:\\FULL.BIN", plat::OpenMode::Create);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Write("abcdef", 6), 4);
    EXPECT_EQ(file->Write("gh", 2), -1);
    vm.FailCreateDirectory("C:\\Locked");
    EXPECT_FALSE(vm.MakeDirectory("c:\\locked"));
    EXPECT_TRUE(vm.MakeDirectory("C:\\Open"));
}

TEST_F(HostPlatformTest, DrivesHaveTypesAndTheHostRootIsDriveZ) {
    auto& vm = Machine();
    vm.AddDrive('A', plat::DriveType::Removable);
    EXPECT_EQ(vm.DriveTypeOf("A:\\"), plat::DriveType::Removable);
    EXPECT_EQ(vm.DriveTypeOf("c:\\"), plat::DriveType::Fixed);
    EXPECT_EQ(vm.DriveTypeOf("Q:\\"), plat::DriveType::NoRootDir);
    WriteFile("C:\\probe.txt", "z");
    std::string host = vm.HostPath("C:\\probe.txt");
    EXPECT_TRUE(vm.FileExists(plat::HostPlatform::WindowsPathOfHost(host)));
    EXPECT_TRUE(vm.FileExists(host));
}

TEST_F(HostPlatformTest, RegistryKeepsValuesAcrossMachinesOnOneFolder) {
    auto& vm = Machine();
    EXPECT_FALSE(vm.RegistryKeyExists("Software\\Borland\\Database Engine"));
    ASSERT_TRUE(vm.RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE"));
    ASSERT_TRUE(vm.RegistryWriteDword("Software\\Borland\\Shared", "UseCount", 2));
    EXPECT_TRUE(vm.RegistryKeyExists("software\\borland"));
    plat::HostPlatform again(root_);
    EXPECT_EQ(again.RegistryReadString("SOFTWARE\\Borland\\Database Engine", "dllpath"), "C:\\BDE");
    EXPECT_EQ(again.RegistryReadDword("Software\\Borland\\Shared", "UseCount"), 2u);
    EXPECT_EQ(again.RegistryReadString("Software\\Borland\\Shared", "UseCount"), std::nullopt);
}

TEST_F(HostPlatformTest, ProfileIsWinIniOnDriveC) {
    auto& vm = Machine();
    EXPECT_EQ(vm.ProfileString("Torvex", "User", "none"), "none");
    ASSERT_TRUE(vm.WriteProfile("Torvex", "User", "ADMIN"));
    EXPECT_EQ(vm.ProfileString("TORVEX", "user", ""), "ADMIN");
    EXPECT_NE(ReadFile("C:\\WINDOWS\\WIN.INI").find("User=ADMIN"), std::string::npos);
}

TEST_F(HostPlatformTest, ProgramsAreMappedOrJournaled) {
    auto& vm = Machine();
    vm.MapProgram("regedit", [](const std::string& line) { return line.find(" /s ") != std::string::npos ? 7 : 1; });
    EXPECT_EQ(vm.RunAndWait("regedit /s C:\\bde.reg", 5), 7);
    WriteFile("C:\\TOOL.EXE", "");
    EXPECT_EQ(vm.RunAndWait("C:\\TOOL.EXE -x", 5), 0);
    EXPECT_EQ(vm.RunAndWait("C:\\ABSENT.EXE", 5), -1);
    EXPECT_TRUE(vm.StartProgram("C:\\TOOL -y", 5));
    auto journal = vm.Journal();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[1], "RUN C:\\TOOL.EXE -x");
    EXPECT_EQ(journal[2], "RUN C:\\TOOL -y");
    vm.SetMaxCommandLine(10);
    EXPECT_EQ(vm.RunAndWait("C:\\TOOL.EXE -x", 5), -1);
}
