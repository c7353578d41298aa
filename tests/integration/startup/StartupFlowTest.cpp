// The program's two roles, run whole on the virtual machine with the scripted user.
#include <gtest/gtest.h>

#include "core/InstallState.h"
#include "core/Log.h"
#include "core/Startup.h"
#include "dbengine/DatabaseEngine.h"
#include "journal/UpgradeJournal.h"
#include "tests/support/Standins.h"
#include "tests/support/TestPages.h"
#include "tests/support/VirtualMachine.h"
#include "ui/headless/ScriptedUser.h"
#include "upgrade/UpgradeLibrary.h"

using namespace core;
using testing_support::TestPageName;
using ui::headless::Script;

class StartupFlowTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        ResetState();
        LogEnabled = false;
        Machine().AddDrive('A', plat::DriveType::Removable);
        Machine().SetEnvironment("TEMP", "C:\\Users\\Ion\\AppData\\Local\\Temp");
        MakeFolders("C:\\Users\\Ion\\AppData\\Local\\Temp");
        WriteFile("A:\\INSTALL.EXE", "the installer");
        WriteFile("A:\\UPGRADE.1", "the upgrade set");
        WriteFile("A:\\INSTALL.CFG", "[General]\r\nNrDiscuri=3\r\n");
        Machine().SetModuleFileName("A:\\INSTALL.EXE");
    }
    void TearDown() override {
        ShutdownBDE();
        UnloadUpgradeDll();
        LogEnabled = false;
        VirtualMachineTest::TearDown();
    }
    static constexpr const char* kTemp = "C:\\Users\\Ion\\AppData\\Local\\Temp\\";
    std::string InTemp(const std::string& name) { return std::string(kTemp) + name; }

    // The working copy as the media instance leaves it, started as the system would.
    void BecomeTheWorkingCopy() {
        Machine().SetModuleFileName(InTemp("INSTTORV.EXE"));
    }
};

TEST_F(StartupFlowTest, MediaInstanceCopiesTheSetAndStartsTheCopy) {
    Script script;  // no window at all
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(script.FormsShown().empty());
    EXPECT_EQ(ReadFile(InTemp("INSTTORV.EXE")), "the installer");
    EXPECT_EQ(ReadFile(InTemp("UPGRADE.ZIP")), "the upgrade set");
    EXPECT_EQ(ReadFile(InTemp("INSTTORV.CFG")), "[General]\r\nNrDiscuri=3\r\n");
    EXPECT_EQ(ReadFile(InTemp("INSTTORV.DAT")), "A:\\\r\n");
    EXPECT_EQ(State().SourceDir, "A:") << "the program's own folder, without its backslash";
    EXPECT_EQ(Machine().Journal(), std::vector<std::string>{"RUN " + InTemp("INSTTORV.EXE")});
}

TEST_F(StartupFlowTest, MediaInstanceWithTheLogPassesItOnAndNeverClosesItsSession) {
    Machine().SetFixedTime({2026, 12, 7, 10, 0, 0, 0});
    RunInstaller({"-log", "x"}, testing_support::TestPageTable());
    EXPECT_EQ(Machine().Journal(),
              std::vector<std::string>{"RUN " + InTemp("INSTTORV.EXE") + " -log -log -log -log"});
    std::string log = ReadFile("C:\\torvinst.log");
    EXPECT_NE(log.find("Begin debug session: INSTALL - "), std::string::npos);
    EXPECT_EQ(log.find("End debug session"), std::string::npos);
}

TEST_F(StartupFlowTest, MissingSetFileIsReportedByNameAndNothingStarts) {
    Machine().RemoveFile("A:\\UPGRADE.1");
    Script script;
    script.AnswerMessage("&Renunt");
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_NE(script.Messages()[0].text.find("A:\\UPGRADE.1"), std::string::npos);
    EXPECT_EQ(script.Messages()[0].kind, ui::mtError);
    EXPECT_TRUE(Machine().Journal().empty());
    EXPECT_FALSE(Machine().FileExists(InTemp("INSTTORV.DAT")));
}

TEST_F(StartupFlowTest, WorkFolderThatCannotBeWrittenIsReportedAndNothingStarts) {
    Machine().FailWritesAfter("INSTTORV.CFG", 5);
    Script script;
    script.AnswerMessage("&Renunt");
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_NE(script.Messages()[0].text.find(InTemp("INSTTORV.CFG")), std::string::npos);
    EXPECT_TRUE(Machine().Journal().empty());
    EXPECT_FALSE(Machine().FileExists(InTemp("INSTTORV.CFG")));
}

TEST_F(StartupFlowTest, WorkingCopyTakesTheMediaFolderFromTheMarkerAndStartsAtPageZero) {
    RunInstaller({}, testing_support::TestPageTable());
    BecomeTheWorkingCopy();
    Script script;
    script.EndForm(TestPageName(0), 2);
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(State().SourceDir, "A:\\");
    EXPECT_EQ(State().DiskCount, 3);
    EXPECT_FALSE(Machine().FileExists(InTemp("UPGRADE.ZIP"))) << "deleted unopened";
    EXPECT_EQ(Machine().Journal().size(), 1u) << "the copy starts nothing";
}

TEST_F(StartupFlowTest, WorkingCopyWithTheAliasButNoUpgradeLibraryEnds) {
    MakeFolders("C:\\BDE");
    MakeFolders("C:\\WinTorv\\DATA");
    testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, "C:\\BDE\\IDAPI32.DLL");
    WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");
    Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
    RunInstaller({}, testing_support::TestPageTable());
    BecomeTheWorkingCopy();
    Script script;
    script.AnswerMessage("&Renunt");
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text, "Nu am putut incarca UPGRADE.DLL");
    EXPECT_EQ(script.Messages()[0].title, "Program incomplet!");
}

TEST_F(StartupFlowTest, BothInstancesWriteToOneLog) {
    RunInstaller({"-log", "x"}, testing_support::TestPageTable());
    BecomeTheWorkingCopy();
    LogEnabled = false;
    Script script;
    script.EndForm(TestPageName(0), 2);
    RunInstaller({"-log", "-log", "-log", "-log"}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    std::string log = ReadFile("C:\\torvinst.log");
    size_t first = log.find("Begin debug session: INSTALL");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find("Begin debug session: INSTALL", first + 1), std::string::npos);
    EXPECT_NE(log.find("End debug session: INSTALL"), std::string::npos);
    EXPECT_FALSE(LogEnabled);
}

TEST_F(StartupFlowTest, AnInterruptedUpgradeIsToldOnceByTheWorkingCopy) {
    MakeFolders("C:\\~TORVUPG");
    WriteFile("C:\\~TORVUPG\\JURNAL.TXT", "not a journal");
    Machine().RegistryWriteString(journal::kPointerKey, journal::kPointerValue, "C:\\~TORVUPG\\JURNAL.TXT");
    {
        Script media;
        RunInstaller({}, testing_support::TestPageTable());
        EXPECT_TRUE(media.Ok()) << media.Error();
        EXPECT_TRUE(media.Messages().empty());
    }
    BecomeTheWorkingCopy();
    Script copy;
    copy.AnswerMessage("OK");
    copy.EndForm(TestPageName(0), 2);
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(copy.Ok()) << copy.Error();
    ASSERT_EQ(copy.Messages().size(), 1u);
    EXPECT_EQ(copy.Messages()[0].title, "Actualizare intrerupta");
}
