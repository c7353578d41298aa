// The program's two roles, run whole on the virtual machine with the scripted user.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/InstallState.h"
#include "core/Log.h"
#include "core/Startup.h"
#include "core/WorkFolder.h"
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
    // The folder the media instance made in TEMP, with its backslash; empty when none is there.
    std::string WorkFolder() {
        for (const plat::DirEntry& entry : Machine().ListDirectory(kTemp))
            if (entry.isDirectory && IsWorkFolder(entry.name)) return kTemp + entry.name + "\\";
        return {};
    }
    std::string InWork(const std::string& name) { return WorkFolder() + name; }

    // The working copy as the media instance leaves it, started as the system would.
    void BecomeTheWorkingCopy() {
        Machine().SetModuleFileName(InWork("INSTTORV.EXE"));
    }
};

TEST_F(StartupFlowTest, MediaInstanceCopiesTheSetAndStartsTheCopy) {
    Script script;  // no window at all
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(script.FormsShown().empty());
    EXPECT_EQ(ReadFile(InWork("INSTTORV.EXE")), "the installer");
    EXPECT_EQ(ReadFile(InWork("UPGRADE.ZIP")), "the upgrade set");
    EXPECT_EQ(ReadFile(InWork("INSTTORV.CFG")), "[General]\r\nNrDiscuri=3\r\n");
    EXPECT_EQ(ReadFile(InWork("INSTTORV.DAT")), "A:\\\r\n");
    EXPECT_EQ(State().SourceDir, "A:") << "the program's own folder, without its backslash";
    EXPECT_EQ(Machine().Journal(), std::vector<std::string>{"RUNAS " + InWork("INSTTORV.EXE")});
}

TEST_F(StartupFlowTest, MediaInstanceWithTheLogPassesItOnAndNeverClosesItsSession) {
    Machine().SetFixedTime({2026, 12, 7, 10, 0, 0, 0});
    RunInstaller({"-log", "x"}, testing_support::TestPageTable());
    EXPECT_EQ(Machine().Journal(),
              std::vector<std::string>{"RUNAS " + InWork("INSTTORV.EXE") + " -log -log -log -log"});
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
    EXPECT_EQ(WorkFolder(), "") << "nothing left in TEMP";
}

TEST_F(StartupFlowTest, WorkFolderThatCannotBeWrittenIsReportedAndNothingStarts) {
    Machine().FailWritesAfter("INSTTORV.CFG", 5);
    Script script;
    script.AnswerMessage("&Renunt");
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_NE(script.Messages()[0].text.find("INSTTORV.CFG"), std::string::npos);
    EXPECT_TRUE(Machine().Journal().empty());
    EXPECT_EQ(WorkFolder(), "") << "nothing left in TEMP";
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
    EXPECT_EQ(WorkFolder(), "") << "the working folder goes as the copy ends";
    ASSERT_EQ(Machine().Journal().size(), 2u) << "the copy starts nothing";
    EXPECT_EQ(Machine().Journal()[1].rfind("REMOVE AT RESTART " + std::string(kTemp) + "~TORV", 0), 0u)
        << "its own program file, moved out";
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

TEST_F(StartupFlowTest, APromptRefusedIsToldOrCodedAndLeavesNothing) {
    Machine().RefuseElevation(true);
    WriteFile("C:\\a.ini", "[Instalare]\r\nTip=LOCAL\r\nProgram=C:\\WinTorv\r\n");
    for (const bool person : {true, false}) {
        Script script;
        if (person) script.AnswerMessage("OK");
        const std::vector<std::string> unattended = {"-auto", "C:\\a.ini"};
        const auto arguments = person ? std::vector<std::string>{} : unattended;
        EXPECT_EQ(RunInstaller(arguments, testing_support::TestPageTable()), 8);
        EXPECT_TRUE(script.Ok()) << script.Error();
        const std::string told = person ? script.Messages().at(0).title : ReadFile("C:\\torvinst.log");
        const char* expected = person ? "Drepturi de administrator" : "Cod de iesire 8: drepturile de administrator";
        EXPECT_NE(told.find(expected), std::string::npos) << told;
        EXPECT_EQ(WorkFolder(), "") << "nothing left in TEMP";
        EXPECT_TRUE(Machine().Journal().empty()) << "nothing started";
    }
}

TEST_F(StartupFlowTest, AWorkingCopyWithoutTheRightsSaysSoBeforeItChangesAnything) {
    MakeFolders("C:\\~TORVUPG");
    WriteFile("C:\\~TORVUPG\\JURNAL.TXT", "not a journal");  // would be told, were it looked at
    Machine().RegistryWriteString(journal::kPointerKey, journal::kPointerValue, "C:\\~TORVUPG\\JURNAL.TXT");
    RunInstaller({}, testing_support::TestPageTable());
    BecomeTheWorkingCopy();
    Machine().SetAdministratorRights(false);
    Script script;
    script.AnswerMessage("OK");
    EXPECT_EQ(RunInstaller({}, testing_support::TestPageTable()), 8);
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].title, "Drepturi de administrator");
    EXPECT_EQ(std::count(script.FormsShown().begin(), script.FormsShown().end(), TestPageName(0)), 0) << "no page";
}

TEST_F(StartupFlowTest, TheCopyReachesThePersonsNetworkDriveThroughItsShareAndKeepsTheLetter) {
    Machine().AddShare("\\\\SRV\\OFFICE");
    Machine().ConnectDrive('N', "\\\\SRV\\OFFICE");
    MakeFolders("N:\\KIT");
    for (const std::string name : {"INSTALL.EXE", "UPGRADE.1", "INSTALL.CFG"})
        WriteFile("N:\\KIT\\" + name, ReadFile("A:\\" + name));
    Machine().SetModuleFileName("N:\\KIT\\INSTALL.EXE");
    RunInstaller({}, testing_support::TestPageTable());
    Machine().RemoveDrive('N');  // the copy runs with administrator rights: no N: of the person's
    BecomeTheWorkingCopy();
    Script script;
    script.EndForm(TestPageName(0), 2);
    RunInstaller({}, testing_support::TestPageTable());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(State().SourceDir, "N:\\KIT\\");
    EXPECT_TRUE(Machine().FileExists("N:\\KIT\\INSTALL.CFG")) << "N: reached through \\\\SRV\\OFFICE";
}
