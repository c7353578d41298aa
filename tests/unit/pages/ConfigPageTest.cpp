// The configuration page as a user meets it: Continue runs the steps, each row changing
// its look when its step returns, and ends with 1; a failed engine registration stops the
// work and leaves only Back and Abandon.
#include <gtest/gtest.h>

#include "pages/ConfigPage.h"
#include "tests/unit/pages/ConfigMachine.h"
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

TEST_F(ConfigPageTest, AMissingRegistryFileStopsTheWorkAndLeavesBackAndAbandon) {
    Machine().RemoveFile(config_test::kBdeReg);
    Script script;
    bool onlyBackAndAbandon = false;
    std::vector<Look> rows;
    script.OnForm<TConfig>([](TConfig& page) { ui::headless::Click(page, "&Continua"); });
    script.AnswerMessage("OK");
    script.OnForm<TConfig>([&](TConfig& page) {
        onlyBackAndAbandon = !page.BNext->Enabled && page.BBack->Enabled && page.BCancel->Enabled;
        rows = Rows(page);
        ui::headless::Click(page, "&Abandon");
    });
    TConfig page;
    EXPECT_EQ(page.ShowModal(), ui::mrCancel);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(script.Messages().at(0).text, "Fisierul de configurare BDE lipseste:\r" + config_test::kBdeReg);
    EXPECT_TRUE(onlyBackAndAbandon);
    EXPECT_EQ(rows, std::vector<Look>(3, kWaiting));
    EXPECT_EQ(Machine().ProfileString("Torvex", "LastUser", ""), "") << "the later steps did not run";
    EXPECT_TRUE(Machine().DdeJournal().empty());
}

}  // namespace
