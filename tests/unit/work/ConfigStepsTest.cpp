// The configuration page's three steps on the virtual machine, with the engine stand-in.
#include <gtest/gtest.h>

#include <functional>

#include "dbengine/DatabaseEngine.h"
#include "record/Recording.h"
#include "work/configure/BdeRegFile.h"
#include "work/configure/ConfigOrder.h"
#include "work/configure/ConfigSteps.h"
#include "tests/support/ConfigMachine.h"
#include "tests/support/RecordingReports.h"

using testing_support::RecordingReports;

namespace {

class ConfigStepsTest : public config_test::ConfigMachine {
protected:
    // What the configuration page hands its steps: the run's folders.
    static work::ConfigOrder Order() { return work::ConfigOrderOf(core::State()); }
    void TearDown() override {
        EXPECT_TRUE(reports_.Ok()) << "a step told something unasked: " << reports_.Error();
        ConfigMachine::TearDown();
    }
    RecordingReports reports_;
};

using config_test::kBdeReg;
using config_test::kEngineDir;
using config_test::kEngineKey;

TEST(ConfigRules, UseCountIsOneMoreThanTheDecimalValue) {
    struct Row {
        std::optional<std::string> value;
        const char* next;
    };
    const Row rows[] = {{"3", "4"}, {std::nullopt, "1"}, {"abc", "1"}, {"", "1"}, {"3x", "1"},
                        {"-1", "0"}, {" 7", "8"}, {"99999999999999999999", "1"}};
    for (const Row& row : rows) EXPECT_EQ(work::NextUseCount(row.value), row.next) << row.value.value_or("(none)");
}

TEST(ConfigRules, PlaceholderFilledOncePerLineWithDoubledBackslashes) {
    EXPECT_EQ(work::FillProgDir("\"DLLPATH\"=\"$ProgDir$\\\\Borland\"", "C:\\Program Files"),
              "\"DLLPATH\"=\"C:\\\\Program Files\\\\Borland\"");
    EXPECT_EQ(work::FillProgDir("a=$ProgDir$;$ProgDir$", "C:\\P"), "a=C:\\\\P;$ProgDir$");
    EXPECT_EQ(work::FillProgDir("[HKEY_LOCAL_MACHINE\\SOFTWARE]", "C:\\P"), "[HKEY_LOCAL_MACHINE\\SOFTWARE]");
}

TEST(ConfigRules, ComponentInstallersQuoteOnlyAFolderWithABlank) {
    EXPECT_EQ(work::ComponentCommandLines("C:\\WinTorv"),
              (std::vector<std::string>{"C:\\WinTorv\\HHUPD.EXE /Q",
                                        "C:\\WinTorv\\TREGSVR.EXE -Q C:\\WinTorv\\CFX32.OCX"}));
    EXPECT_EQ(work::ComponentCommandLines("C:\\Program Files\\WinTorv\\"),
              (std::vector<std::string>{
                  "\"C:\\Program Files\\WinTorv\\HHUPD.EXE\" /Q",
                  "\"C:\\Program Files\\WinTorv\\TREGSVR.EXE\" -Q \"C:\\Program Files\\WinTorv\\CFX32.OCX\""}));
}

TEST_F(ConfigStepsTest, AnEarlierEngineOnlyCountsOneMoreUser) {
    Machine().RegistryWriteString("Software\\Borland\\BLW32", "X", "1");
    Machine().RegistryWriteString(kEngineKey, "DLLPATH", kEngineDir);
    WriteFile(kBdeReg, "\"DLLPATH\"=\"$ProgDir$\"\r\n");
    for (const char* expected : {"1", "2"}) {
        EXPECT_TRUE(work::DoConfigBDE(Order(), reports_));
        EXPECT_EQ(Machine().RegistryReadString(kEngineKey, "UseCount"), expected);
    }
    Machine().RegistryWriteString(kEngineKey, "UseCount", "3");
    EXPECT_TRUE(work::DoConfigBDE(Order(), reports_));
    EXPECT_EQ(Machine().RegistryReadString(kEngineKey, "UseCount"), "4");
    EXPECT_EQ(ReadFile(kBdeReg), "\"DLLPATH\"=\"$ProgDir$\"\r\n") << "bde.reg is left alone";
    EXPECT_TRUE(Machine().Journal().empty()) << "nothing is imported";
    EXPECT_NE(Aliases().find("TORVEX=C:\\WinTorv\\DATA"), std::string::npos) << "the aliases still come";
}

TEST_F(ConfigStepsTest, ANewEngineIsRegisteredFromItsFilledRegistryFileThenTheAliasesAdded) {
    const std::string longValue(3000, 'x');
    WriteFile(kBdeReg, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\Database Engine]\n"
                       "\"DLLPATH\"=\"$ProgDir$\\\\Borland\\\\Common Files\\\\BDE\"\r\n"
                       "\"LONG\"=\"$ProgDir$" + longValue + "\"");
    for (const char* dataDir : {"D:\\Date", "D:\\Date\\"}) {
        Machine().AddDrive('D', plat::DriveType::Fixed);
        core::State().DataDir = dataDir;
        EXPECT_TRUE(work::DoConfigBDE(Order(), reports_));
        EXPECT_EQ(Aliases(), "TORVEXALIAS=D:\\Date\\NEW\\DATA\r\nFIRMAALIAS=D:\\Date\\NEW\\FIRMA\r\n"
                             "LUNAALIAS=D:\\Date\\NEW\\LUNA\r\nTORVEX=D:\\Date\\DATA\r\n")
            << dataDir;
        ShutdownBDE();
    }
    EXPECT_EQ(imported_, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\Database Engine]\r\n"
                         "\"DLLPATH\"=\"C:\\\\Program Files\\\\Borland\\\\Common Files\\\\BDE\"\r\n"
                         "\"LONG\"=\"C:\\\\Program Files" + longValue + "\"\r\n")
        << "every line ends with CR LF, none is cut";
    EXPECT_EQ(Machine().Journal(), (std::vector<std::string>(2, "RUN C:\\WINDOWS\\regedit.exe /s \"" + kBdeReg + "\"")))
        << "a second visit imports the (now filled) file again";
    EXPECT_FALSE(Machine().FileExists(kEngineDir + "\\BDEREG.$$$"));
}

TEST_F(ConfigStepsTest, ARegistryFileThatCannotBeRewrittenIsNamedAndStopsTheStep) {
    struct Row {
        const char* what;
        std::function<void()> fault;
        const char* reason;
    };
    const std::string original = "\"DLLPATH\"=\"$ProgDir$\"\r\n";
    const Row rows[] = {
        {"missing", [&] { Machine().RemoveFile(kBdeReg); }, "lipseste"},
        {"unreadable", [&] { Machine().FailOpen(kBdeReg); }, "nu poate fi citit"},
        {"unwritable", [&] { Machine().FailWritesAfter("BDEREG.$$$", 5); }, "nu poate fi scris"},
    };
    StartLog();
    for (const Row& row : rows) {
        WriteFile(kBdeReg, original);
        row.fault();
        RecordingReports reports;
        reports.Answer(work::Answer::Ok);
        EXPECT_FALSE(work::DoConfigBDE(Order(), reports)) << row.what;
        Machine().ClearFaults();
        ASSERT_TRUE(reports.Ok()) << reports.Error();
        const work::Notice& box = reports.notices.at(0);
        EXPECT_EQ(box.text, std::string("Fisierul de configurare BDE ") + row.reason + ":\r" + kBdeReg) << row.what;
        EXPECT_EQ(box.title, "Eroare...");
        EXPECT_EQ(box.look, work::Look::Error);
        if (Machine().FileExists(kBdeReg)) {
            EXPECT_EQ(ReadFile(kBdeReg), original) << row.what;
        }
        EXPECT_FALSE(Machine().FileExists(kEngineDir + "\\BDEREG.$$$")) << row.what;
    }
    EXPECT_TRUE(Machine().Journal().empty()) << "nothing imported";
    EXPECT_FALSE(Machine().FileExists(kEngineDir + "\\IDAPI32.CFG")) << "no aliases";
    EXPECT_NE(LogText().find("*       Fisierul de configurare BDE lipseste:"), std::string::npos);
    EXPECT_NE(LogText().find("END <- DoConfigBDE"), std::string::npos);
}

TEST_F(ConfigStepsTest, ComponentsStepWritesTheDefaultUserAndRunsBothInstallers) {
    core::State().ProgramDir = "C:\\Program Files\\WinTorv";
    MakeFolders("C:\\Program Files\\WinTorv");
    WriteFile("C:\\Program Files\\WinTorv\\HHUPD.EXE", "");
    WriteFile("C:\\Program Files\\WinTorv\\TREGSVR.EXE", "");
    work::DoConfigConfigSys(Order());
    EXPECT_EQ(Machine().ProfileString("Torvex", "LastUser", ""), "Master");
    EXPECT_EQ(Machine().Journal(),
              (std::vector<std::string>{"RUN \"C:\\Program Files\\WinTorv\\HHUPD.EXE\" /Q",
                                        "RUN \"C:\\Program Files\\WinTorv\\TREGSVR.EXE\" -Q "
                                        "\"C:\\Program Files\\WinTorv\\CFX32.OCX\""}));
}

TEST_F(ConfigStepsTest, GroupItemsFollowTheModulesPresent) {
    auto& state = core::State();
    state.ProgramDir = "C:\\WinTorv";
    state.WorkDir = "C:\\WinTorv\\";
    MakeFolders("C:\\WinTorv");
    work::DoConfigGroup(Order(), reports_);
    WriteFile("C:\\WinTorv\\VANTIR.EXE", "");
    WriteFile("C:\\WinTorv\\MIRDAN.EXE", "");
    work::DoConfigGroup(Order(), reports_);
    const auto& sent = Machine().DdeJournal();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].service, "ProgMan");
    EXPECT_EQ(sent[0].topic, "");
    // One execute transaction a command, in this order.
    EXPECT_EQ(sent[0].commands, (std::vector<std::string>{"[CreateGroup(\"WinTORVEX\")]",
                                                          "[AddItem(\"C:\\WinTorv\\TORVEX.EXE\", \"Torvex\")]",
                                                          "[ShowGroup(\"WinTORVEX\",8)]"}));
    EXPECT_EQ(sent[1].commands, (std::vector<std::string>{"[CreateGroup(\"WinTORVEX\")]",
                                                          "[AddItem(\"C:\\WinTorv\\TORVEX.EXE\", \"Torvex\")]",
                                                          "[AddItem(\"C:\\WinTorv\\SERVICE.EXE\", \"Service\")]",
                                                          "[AddItem(\"C:\\WinTorv\\VANTIR.EXE\", \"Vantir\")]",
                                                          "[AddItem(\"C:\\WinTorv\\MIRDAN.EXE\", \"Mirdan\")]",
                                                          "[ShowGroup(\"WinTORVEX\",8)]"}));
    EXPECT_GT(sent[0].timeoutMs, 0u) << "the shell's wait is bounded";
    EXPECT_LE(sent[0].timeoutMs, 120'000u);
}

TEST_F(ConfigStepsTest, WithoutAProgramManagerTheGroupIsAFolderOfShortcutsAndOnlyWithNeitherIsTheUserTold) {
    const std::string folder = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\WinTORVEX";
    // The Program Manager's answer, what fails in the Start Menu (nothing: none), the way, the log's note.
    const struct Row {
        plat::DdeResult dde; std::function<void(plat::HostPlatform&)> startMenu; bool shortcuts; const char* note;
    } rows[] = {
        {plat::DdeResult::Executed, nullptr, false, "Grupul WinTORVEX a fost creat de Program Manager"},
        {plat::DdeResult::NoConversation, nullptr, true, "Program Manager nu raspunde la conversatia DDE"},
        {plat::DdeResult::NoAnswer, nullptr, true, "Program Manager nu a terminat comenzile grupului la timp"},
        {plat::DdeResult::Refused, nullptr, true, "Program Manager a refuzat comenzile grupului"},
        {plat::DdeResult::NoConversation, [](auto& m) { m.SetCommonProgramsFolder(std::nullopt); }, false,
         "Nu gasesc folderul Programs al meniului Start"},
        {plat::DdeResult::NoAnswer, [&](auto& m) { m.FailCreateDirectory(folder); }, false, "Nu pot crea folderul"},
        {plat::DdeResult::Refused, [&](auto& m) { m.FailOpen(folder + "\\Torvex.lnk"); }, false,
         "Nu pot crea scurtatura"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        TearDown();
        SetUp();
        core::State().ProgramDir = core::State().WorkDir = "C:\\WinTorv";
        MakeFolders("C:\\WinTorv");
        WriteFile("C:\\WinTorv\\VANTIR.EXE", "");
        Machine().SetDdeBehaviour(row.dde);
        if (row.startMenu) row.startMenu(Machine());
        StartLog();
        record::ForgetThisRun();
        const bool made = row.dde == plat::DdeResult::Executed || row.shortcuts;
        RecordingReports reports;
        if (!made) reports.Answer(work::Answer::Cancel);
        EXPECT_EQ(work::DoConfigGroup(Order(), reports), made);
        ASSERT_TRUE(reports.Ok()) << reports.Error();
        EXPECT_NE(LogText().find(row.note), std::string::npos) << LogText();
        ASSERT_EQ(reports.notices.size(), made ? 0u : 1u);
        for (const work::Notice& box : reports.notices) EXPECT_EQ(box.text + box.title, "Eroare DDE!Eroare...");
        const record::InstallRecord& run = record::ThisRun();
        EXPECT_EQ(run.group, made ? "WinTORVEX" : "");
        EXPECT_EQ(run.groupWay, row.shortcuts ? record::GroupWay::Shortcuts : record::GroupWay::ProgramManager);
        EXPECT_EQ(run.shortcuts.size(), row.shortcuts ? 3u : 0u);
        // The items the Program Manager would have made, each started in the program folder.
        for (auto [title, program] :
             {std::pair{"Torvex", "TORVEX.EXE"}, {"Service", "SERVICE.EXE"}, {"Vantir", "VANTIR.EXE"}}) {
            const auto shortcut = Machine().ShortcutAt(folder + "\\" + title + ".lnk");
            ASSERT_EQ(shortcut.has_value(), row.shortcuts) << title;
            if (!shortcut) continue;
            EXPECT_EQ(shortcut->target, std::string("C:\\WinTorv\\") + program);
            EXPECT_EQ(shortcut->arguments + "|" + shortcut->workingFolder, "|C:\\WinTorv");
        }
        EXPECT_EQ(Machine().DirectoryExists(folder), row.shortcuts) << "a folder with nothing made in it goes";
    }
}

}  // namespace
