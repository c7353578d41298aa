// Loading UPGRADE.DLL from the running program's folder, and what a failed load leaves.
#include <gtest/gtest.h>

#include "tests/unit/upgrade/UpgradeTestMachine.h"

namespace {

class UpgradeLoadingTest : public UpgradeTestMachine {};

TEST_F(UpgradeLoadingTest, LoadsTheLibraryBesideTheRunningProgram) {
    PlaceUpgradeDll();
    EXPECT_TRUE(LoadUpgradeDll());
    EXPECT_TRUE(UpgradeDllLoaded());
    UpgradeSetQuickVerif(true);
    EXPECT_EQ(Journal(), "UPGRADE.DLL SetQuickVerif 1\r\n");
}

TEST_F(UpgradeLoadingTest, FolderLongerThanFiftyCharactersIsNoObstacle) {
    const std::string deep =
        "C:\\Documents and Settings\\Administrator\\Local Settings\\Temp\\Instalare WinTORVEX";
    ASSERT_GT(deep.size() + 1 + std::string("UPGRADE.DLL").size(), 50u);
    RunProgramFrom(deep);
    PlaceUpgradeDll();
    EXPECT_TRUE(LoadUpgradeDll());
}

TEST_F(UpgradeLoadingTest, MissingFileFailsAndEveryCallIsHarmless) {
    EXPECT_FALSE(LoadUpgradeDll());
    EXPECT_FALSE(UpgradeDllLoaded());
    EXPECT_EQ(UpgradeGetAliasPath("TORVEX"), "");
    EXPECT_FALSE(UpgradeRun(UpgradeOperation::Structure));
    UpgradeSetQuickVerif(true);
    UpgradeSetReportSink([](const std::string&) { ADD_FAILURE() << "no library to report"; });
}

TEST_F(UpgradeLoadingTest, LibraryMissingAnEntryPointIsRefused) {
    PlaceUpgradeDll(UPGRADE_INCOMPLETE);
    EXPECT_FALSE(LoadUpgradeDll());
    EXPECT_FALSE(UpgradeDllLoaded());
    EXPECT_FALSE(UpgradeRun(UpgradeOperation::Lists));
}

TEST_F(UpgradeLoadingTest, FailedReloadClearsTheEarlierLibrary) {
    PlaceUpgradeDll();
    ASSERT_TRUE(LoadUpgradeDll());
    RunProgramFrom("C:\\ELSEWHERE");
    EXPECT_FALSE(LoadUpgradeDll());
    EXPECT_FALSE(UpgradeDllLoaded());
    EXPECT_FALSE(UpgradeRun(UpgradeOperation::Constants));
}

TEST_F(UpgradeLoadingTest, UnloadEndsEveryCall) {
    PlaceUpgradeDll();
    ASSERT_TRUE(LoadUpgradeDll());
    UnloadUpgradeDll();
    EXPECT_FALSE(UpgradeDllLoaded());
    EXPECT_FALSE(UpgradeRun(UpgradeOperation::Structure));
    EXPECT_EQ(Journal(), "");  // nothing reached the library
}

}  // namespace
