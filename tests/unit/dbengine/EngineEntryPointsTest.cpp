// Initialise and shut down by name, the use count, and the ordinal-bound operations.
#include <gtest/gtest.h>

#include "dbengine/BdeErrors.h"
#include "dbengine/EngineLibrary.h"
#include "tests/unit/dbengine/EngineTestMachine.h"

namespace {

class EngineEntryPointsTest : public EngineTestMachine {
protected:
    void SetUp() override {
        EngineTestMachine::SetUp();
        SetDllPath("C:\\BDE");
    }
};

TEST_F(EngineEntryPointsTest, LibraryWithoutDbiInitFnIsReleasedAgain) {
    InstallEngine("C:\\BDE", ENGINE_WITHOUT_INIT);
    bde::EngineLibrary engine;
    EXPECT_EQ(engine.Init(), bde::kNoInitEntry);
    EXPECT_FALSE(engine.IsLoaded());
    EXPECT_EQ(engine.UseCount(), 0);
}

TEST_F(EngineEntryPointsTest, LibraryWithoutDbiExitCannotShutDown) {
    InstallEngine("C:\\BDE", ENGINE_WITHOUT_EXIT);
    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    EXPECT_EQ(engine.Exit(), bde::kMissingEntry);
    EXPECT_TRUE(engine.IsLoaded());  // a failed shut down does not lower the use count
    EXPECT_EQ(engine.UseCount(), 1);
}

TEST_F(EngineEntryPointsTest, LibraryWithoutOrdinalExportsFailsEachOperation) {
    InstallEngine("C:\\BDE", ENGINE_WITHOUT_ORDINALS);
    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    bde::hDBIDb db = nullptr;
    EXPECT_EQ(engine.OpenDatabase("TORVEX", bde::dbiREADONLY, bde::dbiOPENSHARED, &db),
              bde::kMissingEntry);
    EXPECT_EQ(engine.CloseDatabase(&db), bde::kMissingEntry);
    EXPECT_EQ(engine.AddAlias("A", "PARADOX", "PATH:C:\\", true), bde::kMissingEntry);
    EXPECT_EQ(engine.CfgSave(false), bde::kMissingEntry);
    EXPECT_EQ(engine.Exit(), bde::kOk);
}

TEST_F(EngineEntryPointsTest, UseCountReleasesTheLibraryWhenItReturnsToZero) {
    InstallEngine("C:\\BDE");
    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    ASSERT_EQ(engine.Init(), bde::kOk);
    EXPECT_EQ(engine.UseCount(), 2);
    EXPECT_EQ(engine.Exit(), bde::kOk);
    EXPECT_TRUE(engine.IsLoaded());
    EXPECT_EQ(engine.Exit(), bde::kOk);
    EXPECT_FALSE(engine.IsLoaded());
}

TEST_F(EngineEntryPointsTest, OperationsAfterAReleaseBindTheNewlyLoadedLibrary) {
    InstallEngine("C:\\BDE");
    MakeFolders("C:\\DATA");
    WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\DATA\r\n");
    bde::EngineLibrary engine;
    bde::hDBIDb db = nullptr;

    ASSERT_EQ(engine.Init(), bde::kOk);
    ASSERT_EQ(engine.OpenDatabase("TORVEX", bde::dbiREADONLY, bde::dbiOPENSHARED, &db), bde::kOk);
    ASSERT_EQ(engine.CloseDatabase(&db), bde::kOk);
    ASSERT_EQ(engine.Exit(), bde::kOk);
    ASSERT_FALSE(engine.IsLoaded());

    // The addresses bound before belong to a library that is gone; these calls must load
    // and bind afresh (the engine is loaded again but not initialised, and says so).
    EXPECT_NE(engine.OpenDatabase("TORVEX", bde::dbiREADONLY, bde::dbiOPENSHARED, &db), bde::kOk);
    EXPECT_TRUE(engine.IsLoaded());
    ASSERT_EQ(engine.Init(), bde::kOk);
    EXPECT_EQ(engine.OpenDatabase("TORVEX", bde::dbiREADONLY, bde::dbiOPENSHARED, &db), bde::kOk);
    EXPECT_EQ(engine.CloseDatabase(&db), bde::kOk);
    EXPECT_EQ(engine.Exit(), bde::kOk);
}

TEST_F(EngineEntryPointsTest, FailedInitialiseReleasesOnlyALibraryItLoadedItself) {
    InstallEngine("C:\\BDE");
    bde::EngineLibrary engine;

    setenv("IDAPI32_FAIL_INIT", "1", 1);
    EXPECT_NE(engine.Init(), bde::kOk);
    EXPECT_FALSE(engine.IsLoaded());
    ASSERT_EQ(engine.Init(), bde::kOk);  // the next attempt starts again and succeeds

    setenv("IDAPI32_FAIL_INIT", "1", 1);
    EXPECT_NE(engine.Init(), bde::kOk);
    EXPECT_TRUE(engine.IsLoaded());  // loaded by the earlier call, which still holds it
    EXPECT_EQ(engine.UseCount(), 1);
    EXPECT_EQ(engine.Exit(), bde::kOk);
    EXPECT_FALSE(engine.IsLoaded());
}

TEST_F(EngineEntryPointsTest, TextsLongerThanTheEngineBuffersAreRefusedNotCut) {
    InstallEngine("C:\\BDE");
    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    const std::string longest(255, 'A');
    const std::string tooLong(256, 'A');
    EXPECT_EQ(engine.AddAlias(tooLong, "PARADOX", "PATH:C:\\", true), bde::kTextTooLong);
    EXPECT_EQ(engine.AddAlias("A", "PARADOX", "PATH:" + std::string(251, 'x'), true),
              bde::kTextTooLong);
    EXPECT_EQ(engine.AddAlias(longest, "PARADOX", "PATH:" + std::string(250, 'x'), true),
              bde::kOk);
    bde::hDBIDb db = nullptr;
    EXPECT_EQ(engine.OpenDatabase(tooLong, bde::dbiREADONLY, bde::dbiOPENSHARED, &db),
              bde::kTextTooLong);
    EXPECT_EQ(engine.Exit(), bde::kOk);
}

}  // namespace
