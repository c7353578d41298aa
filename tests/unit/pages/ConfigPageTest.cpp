// The configuration page as a user meets it: Continue runs the steps, each row changing
// its look when its step returns, and ends with 1; a failed engine registration stops
// none of the later steps and keeps the page open.
#include <gtest/gtest.h>

#include <functional>

#include "answers/ExitCodes.h"
#include "core/RunPilot.h"
#include "pages/fresh/ConfigPage.h"
#include "pages/wizard/PageTable.h"
#include "tests/support/ConfigMachine.h"
#include "ui/Pilot.h"
#include "ui/headless/ScriptedUser.h"

using namespace pages;
using ui::headless::Script;

namespace {

class ConfigPageTest : public config_test::ConfigMachine {
protected:
    void SetUp() override {
        ConfigMachine::SetUp();
        MakeFolders("C:\\WinTorv");
        for (const char* program : {"HHUPD.EXE", "TREGSVR.EXE", "TORVEX.EXE"}) WriteFile("C:\\WinTorv\\" + std::string(program), "");
        WriteFile(config_test::kBdeReg, "REGEDIT4\r\n\"DLLPATH\"=\"$ProgDir$\"\r\n");
    }
};

struct Look {
    ui::TBevelCut bevel;
    ui::TColor color;
    ui::TAlignment alignment;
    bool operator==(const Look&) const = default;
};
Look LookOf(const ui::TPanel* row) { return {row->BevelOuter, row->Font.Color, row->Alignment}; }
const Look kWaiting{ui::bvNone, ui::clBlack, ui::taRightJustify};
const Look kFinished{ui::bvRaised, ui::clRed, ui::taLeftJustify};

std::vector<Look> Rows(const TConfig& page) { return {LookOf(page.BBDE), LookOf(page.BConfigSys), LookOf(page.BGroup)}; }

TEST_F(ConfigPageTest, ContinueRunsEveryStepAndASecondVisitRunsThemAgain) {
    for (int visit = 1; visit <= 2; ++visit) {
        Script script;
        std::vector<Look> before;
        script.OnForm<TConfig>([&](TConfig& page) {
            before = Rows(page);
            ui::headless::Click(page, "&Continua");
        });
        TConfig page;
        EXPECT_EQ(core::State().PageNo, 3);
        EXPECT_EQ(page.Caption.get(), "Configurare sistem");
        EXPECT_EQ(page.BBDE->Caption.get(), " Configurare BDE");
        EXPECT_EQ(page.BConfigSys->Caption.get(), " Actualizare CONFIG.SYS");
        EXPECT_EQ(page.BGroup->Caption.get(), " Creare grup");
        EXPECT_EQ(page.ShowModal(), ui::mrOk);
        ASSERT_TRUE(script.Ok()) << script.Error();
        EXPECT_EQ(before, std::vector<Look>(3, kWaiting));
        EXPECT_EQ(Rows(page), std::vector<Look>(3, kFinished));
        EXPECT_TRUE(page.BNext->Enabled);
        EXPECT_EQ(Machine().DdeJournal().size(), size_t(visit));
    }
    EXPECT_EQ(Machine().ProfileString("Torvex", "LastUser", ""), "Master");
    EXPECT_EQ(Machine().Journal().size(), 6u) << "regedit, HHUPD and TREGSVR on each visit";
    EXPECT_NE(Aliases().find("TORVEX=C:\\WinTorv\\DATA"), std::string::npos);
}

TEST_F(ConfigPageTest, FailedStepsDoNotStopTheNextOnes) {
    Machine().RemoveFile("C:\\WinTorv\\HHUPD.EXE");  // cannot be started: passed over
    Machine().SetDdeBehaviour(plat::DdeResult::NoConversation);
    Machine().SetCommonProgramsFolder(std::nullopt);
    Script script;
    script.OnForm<TConfig>([](TConfig& page) { ui::headless::Click(page, "&Continua"); });
    script.AnswerMessage("&Renunt");
    TConfig page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(script.Messages().at(0).text, "Eroare DDE!");
    EXPECT_EQ(Rows(page), std::vector<Look>(3, kFinished));
    EXPECT_EQ(Machine().Journal().back(), "RUN C:\\WinTorv\\TREGSVR.EXE -Q C:\\WinTorv\\CFX32.OCX");
}

// The copy page stands in: Continue goes on.
struct CopyPageStandIn : TWizardPage {
    CopyPageStandIn() : TWizardPage("Copy", core::PageCopy, "") { AddStandardButton({PageButton::Next, {}}); }
};

TEST_F(ConfigPageTest, UnattendedOnlyAGroupMadeNeitherWayEndsTheRunWithFour) {
    for (const bool startMenu : {true, false}) {
        TearDown();
        SetUp();
        Machine().SetDdeBehaviour(plat::DdeResult::NoAnswer);
        if (!startMenu) Machine().SetCommonProgramsFolder(std::nullopt);
        StartLog();
        core::PageTableType table = pages::PageTable();
        table[core::PageCopy].create = [] { return std::unique_ptr<ui::TForm>(new CopyPageStandIn); };
        answers::RunSwitches switches;
        switches.autoFile = "C:\\a.ini";
        core::RunPilot pilot(switches, answers::ParseAnswers("[Instalare]\nTip=LOCAL\nProgram=C:\\W\n", "").answers);
        ui::SetPilot(&pilot);
        core::RunWizard(table);
        ui::SetPilot(nullptr);
        EXPECT_EQ(answers::ExitCodeOf(pilot.Outcome()), startMenu ? 0 : 4);
        EXPECT_EQ(LogText().find("Eroare DDE!") != std::string::npos, !startMenu);
    }
}

TEST_F(ConfigPageTest, OnlyContinueWaitsWhileTheStepsRunAndBackPressedMeanwhileIsKept) {
    Script script;
    bool onlyContinueOff = false;
    script.OnForm<TConfig>([&](TConfig& page) {
        script.WhileWorking([&] {
            onlyContinueOff = !page.BNext->Enabled && page.BBack->Enabled && page.BCancel->Enabled;
            ui::headless::Click(page, "&Inapoi");
        });
        ui::headless::Click(page, "&Continua");
    });
    TConfig page;
    EXPECT_EQ(page.ShowModal(), ui::mrRetry);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(onlyContinueOff);
    EXPECT_EQ(Rows(page), std::vector<Look>(3, kFinished)) << "the steps begun are all run";
}

TEST_F(ConfigPageTest, AnEngineThatIsNotRegisteredIsReportedAndThePageStaysOpen) {
    const std::string& reg = config_test::kBdeReg;
    struct Case {
        std::function<void()> fault;
        std::string text;
    } cases[] = {
        {[&] { Machine().MapProgram("regedit", [](const std::string&) { return int64_t{1}; }); },
         "Importul fisierului de configurare BDE a esuat (cod 1):\r" + reg},
        {[&] { Machine().MapProgram("regedit", [](const std::string&) { return int64_t{-1}; }); },
         "Nu am putut porni regedit pentru fisierul de configurare BDE:\r" + reg},
        {[&] { Machine().RemoveFile(reg); }, "Fisierul de configurare BDE lipseste:\r" + reg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        c.fault();
        Script script;
        bool allButtonsLive = false;
        script.OnForm<TConfig>([](TConfig& page) { ui::headless::Click(page, "&Continua"); });
        script.AnswerMessage("OK");
        script.OnForm<TConfig>([&](TConfig& page) {
            allButtonsLive = page.BNext->Enabled && page.BBack->Enabled && page.BCancel->Enabled;
            ui::headless::Click(page, "&Abandon");
        });
        TConfig page;
        EXPECT_EQ(page.ShowModal(), ui::mrCancel) << "an unregistered engine is no success";
        ASSERT_TRUE(script.Ok()) << script.Error();
        EXPECT_EQ(script.Messages().at(0).text, c.text);
        EXPECT_TRUE(allButtonsLive) << "Continue tries again; Back and Abandon leave";
        EXPECT_EQ(Rows(page), std::vector<Look>(3, kFinished));
        EXPECT_EQ(Machine().ProfileString("Torvex", "LastUser", ""), "Master") << "the later steps ran";
    }
}

TEST_F(ConfigPageTest, AnInstalledEngineWithoutOurRegistryFileGetsTheAliasesWithoutAnImport) {
    Machine().RemoveFile(config_test::kBdeReg);  // its archive was never unpacked
    Machine().RegistryWriteString(config_test::kEngineKey + "\\Settings\\SYSTEM\\INIT", "VERSION", "5.0");
    Machine().RegistryWriteString(config_test::kEngineKey, "DLLPATH", config_test::kEngineDir);
    StartLog();
    Script script;
    script.OnForm<TConfig>([](TConfig& page) { ui::headless::Click(page, "&Continua"); });
    TConfig page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(Machine().Journal().size(), 2u) << "HHUPD and TREGSVR, no regedit";
    EXPECT_NE(LogText().find("nu import fisierul lipsa " + config_test::kBdeReg), std::string::npos);
    EXPECT_NE(Aliases().find("TORVEX=C:\\WinTorv\\DATA"), std::string::npos);
}

}  // namespace
