// The database upgrade's run of the chosen operations against the stand-in library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "work/dbupgrade/DatabaseUpgradeRun.h"
#include "tests/unit/upgrade/UpgradeTestMachine.h"

namespace {

class DatabaseUpgradeRunTest : public UpgradeTestMachine {
protected:
    void SetUp() override {
        UpgradeTestMachine::SetUp();
        PlaceUpgradeDll();
        ASSERT_TRUE(LoadUpgradeDll());
    }

    // Runs the choice and returns what the page was told, one word an event.
    std::vector<std::string> Run(const work::StepChoice& chosen) {
        std::vector<std::string> events;
        work::DatabaseUpgradeView view;
        view.chosen = [chosen](size_t step) { return chosen[step]; };
        view.report = [&events](const std::string& text) { events.push_back("report " + text); };
        view.tick = [&events](size_t step, bool shown) {
            events.push_back((shown ? "tick " : "untick ") + std::to_string(step + 1));
        };
        view.statusRed = [&events] { events.push_back("red"); };
        view.finished = [&events](size_t step) { events.push_back("finished " + std::to_string(step + 1)); };
        succeeded_ = work::RunDatabaseUpgrade(view).succeeded;
        return events;
    }

    work::StepChoice succeeded_{};
};

TEST_F(DatabaseUpgradeRunTest, NothingChosenHandsOverTheReportProcedureOnly) {
    EXPECT_TRUE(Run({false, false, false}).empty());
    EXPECT_EQ(Journal(), "UPGRADE.DLL SetReportProc\r\n");
}

TEST_F(DatabaseUpgradeRunTest, OnlyTheConstantsTurnTheStatusRedAndRunOnce) {
    const std::vector<std::string> events = Run({false, false, true});
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0], "tick 3");
    EXPECT_EQ(events[1], "red");
    EXPECT_EQ(events.back(), "finished 3");
    EXPECT_EQ(events[events.size() - 2], "report Actualizare constante: terminat");
    EXPECT_EQ(Journal(),
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL DoConstUpgrade quick=0\r\n"
              "UPGRADE.DLL GetSemaforOK 1\r\n");
    EXPECT_EQ(succeeded_, (work::StepChoice{false, false, true}));
}

TEST_F(DatabaseUpgradeRunTest, FailedOperationLosesItsTickAndTheNextStillRuns) {
    setenv("UPGRADE_FAIL", "STRUCT", 1);
    std::vector<std::string> events = Run({true, true, false});
    std::erase_if(events, [](const std::string& e) { return e.rfind("report ", 0) == 0; });
    EXPECT_EQ(events, (std::vector<std::string>{"tick 1", "untick 1", "finished 1", "tick 2", "red",
                                                 "finished 2"}));
    EXPECT_EQ(succeeded_, (work::StepChoice{false, true, false}));
}

}  // namespace
