// The database upgrade page with the scripted user and the stand-in library.
#include <gtest/gtest.h>

#include <string>

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "pages/wizard/StepRows.h"
#include "pages/upgrade/UpgData.h"
#include "tests/unit/upgrade/UpgradeTestMachine.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using pages::TUpgData;
using ui::headless::Click;
using ui::headless::Script;

class UpgDataTest : public UpgradeTestMachine {
protected:
    void SetUp() override {
        UpgradeTestMachine::SetUp();
        core::ResetState();
        PlaceUpgradeDll();
        ASSERT_TRUE(LoadUpgradeDll());
    }

    // Shows the page; `act` plays the user; the page's modal result.
    int Show(const std::function<void(TUpgData&)>& act) {
        Script script;
        script.OnForm<TUpgData>(act);
        TUpgData page;
        const int result = page.ShowModal();
        EXPECT_TRUE(script.Ok()) << script.Error();
        return result;
    }

    static bool Waiting(const ui::TPanel& row) {
        return row.BevelOuter == ui::bvNone && row.Alignment == ui::taRightJustify && row.Font.Color == ui::clBlack;
    }
};

TEST_F(UpgDataTest, AllBoxesClearedHandsOverTheReportProcedureAndCloses) {
    EXPECT_EQ(Show([](TUpgData& page) {
                  EXPECT_EQ(core::State().PageNo, 8);
                  for (const char* box : {"Ck1", "Ck2", "Ck3"}) Click(page, box);
                  Click(page, "&Continua");
                  for (ui::TPanel* row : page.Rows) EXPECT_TRUE(Waiting(*row));
                  EXPECT_FALSE(page.BBack->Enabled || page.BNext->Enabled || page.BCancel->Enabled);
              }),
              ui::mrOk);
    EXPECT_EQ(Journal(), "UPGRADE.DLL SetReportProc\r\n");
}

TEST_F(UpgDataTest, EachBoxIsReadWhenItsTurnComes) {
    Script script;
    script.OnForm<TUpgData>([&](TUpgData& page) {
        Click(page, "Ck2");
        // While the structures are checked, the user changes the later rows' boxes.
        script.WhileWorking([&] {
            Click(page, "Actualizare liste");
            Click(page, "Ck3");
        });
        Click(page, "&Continua");
    });
    TUpgData page;
    EXPECT_EQ(page.ShowModal(), ui::mrOk);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(Journal(),
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL DoStructureUpgrade quick=0\r\nUPGRADE.DLL GetSemaforOK 1\r\n"
              "UPGRADE.DLL DoListUpgrade quick=0\r\nUPGRADE.DLL GetSemaforOK 1\r\n");
    EXPECT_TRUE(Waiting(*page.Rows[2]));
}

TEST_F(UpgDataTest, OnlyTheConstantsRowRunsAndTurnsTheStatusRed) {
    Show([](TUpgData& page) {
        Click(page, "Ck1");
        Click(page, "Ck2");
        Click(page, "&Continua");
        EXPECT_TRUE(Waiting(*page.Rows[0]) && Waiting(*page.Rows[1]));
        EXPECT_TRUE(pages::StepFinished(*page.Rows[2]));
        EXPECT_FALSE(page.Lk1->Visible || page.Lk2->Visible);
        EXPECT_TRUE(page.Lk3->Visible);
        EXPECT_EQ(page.LStatus->Font.Color, ui::clRed);
        EXPECT_EQ(page.LStatus->Caption.get(), "Actualizare constante: terminat");
        EXPECT_FALSE(page.LStatus->Visible);
    });
    EXPECT_EQ(Journal(),
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL DoConstUpgrade quick=0\r\n"
              "UPGRADE.DLL GetSemaforOK 1\r\n");
}

TEST_F(UpgDataTest, FailedOperationIsFinishedWithoutItsTickAndTheOthersRun) {
    setenv("UPGRADE_FAIL", "LIST", 1);
    Show([](TUpgData& page) {
        Click(page, "&Continua");
        for (ui::TPanel* row : page.Rows) EXPECT_TRUE(pages::StepFinished(*row));
        EXPECT_TRUE(page.Lk1->Visible);
        EXPECT_FALSE(page.Lk2->Visible);
        EXPECT_TRUE(page.Lk3->Visible);
    });
    EXPECT_NE(Journal().find("DoConstUpgrade"), std::string::npos);
}

TEST_F(UpgDataTest, AltQTogglesQuickVerificationAndACaptionClickTogglesItsBox) {
    Show([](TUpgData& page) {
        ui::headless::PressKey(page, 'Q', ui::ssAlt);
        EXPECT_EQ(page.LStatus->Font.Color, ui::clRed);
        ui::headless::PressKey(page, 'Q', ui::ssAlt);
        EXPECT_EQ(page.LStatus->Font.Color, ui::clBlack);
        page.Rows[1]->Click();  // "Actualizare liste"
        EXPECT_FALSE(page.Ck2->Checked);
        page.Rows[1]->Click();
        EXPECT_TRUE(page.Ck2->Checked);
        Click(page, "&Abandon");
    });
    EXPECT_EQ(Journal(), "UPGRADE.DLL SetQuickVerif 1\r\nUPGRADE.DLL SetQuickVerif 0\r\n");
}

// What the page says it did follows the boxes as they were when each step's turn came.
TEST_F(UpgDataTest, ABoxChangedAfterItsTurnChangesNeitherTheOutcomeNorTheAnswers) {
    const struct {
        const char* failing;    // the step the library fails, if any
        bool firstBoxAtStart;   // Ck1 when Continue is pressed; the user toggles it meanwhile
        bool succeeded;
        bool structuresTaken;
    } cases[] = {
        {"", false, true, false},        // ticked once the structures' turn was over
        {"STRUCT", true, false, true},  // cleared after its step had failed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        if (*c.failing) setenv("UPGRADE_FAIL", c.failing, 1);
        ui::headless::Script script;
        script.OnForm<TUpgData>([&](TUpgData& page) {
            if (!c.firstBoxAtStart) Click(page, "Ck1");
            script.WhileWorking([&] {}).WhileWorking([&] { Click(page, "Ck1"); });
            Click(page, "&Continua");
        });
        TUpgData page;
        EXPECT_EQ(page.ShowModal(), ui::mrOk);
        ASSERT_TRUE(script.Ok()) << script.Error();
        EXPECT_EQ(page.Ck1->Checked.get(), !c.firstBoxAtStart);
        EXPECT_EQ(page.WorkSucceeded(), c.succeeded);
        answers::Answers taken;
        page.RecordAnswers(taken);
        EXPECT_EQ(taken.upgradeStructures, c.structuresTaken);
        EXPECT_EQ(taken.upgradeLists, true);
        unsetenv("UPGRADE_FAIL");
    }
}

}  // namespace
