// What the database upgrade page says it did, once its boxes are changed while the steps
// run: the boxes as they were when each step's turn came, not as they are at the end.
#include <gtest/gtest.h>

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "pages/upgrade/UpgData.h"
#include "tests/unit/upgrade/UpgradeTestMachine.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using pages::TUpgData;
using ui::headless::Click;

class UpgDataTurnsTest : public UpgradeTestMachine {
protected:
    void SetUp() override {
        UpgradeTestMachine::SetUp();
        core::ResetState();
        PlaceUpgradeDll();
        ASSERT_TRUE(LoadUpgradeDll());
    }
};

TEST_F(UpgDataTurnsTest, ABoxChangedAfterItsTurnChangesNeitherTheOutcomeNorTheAnswers) {
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
