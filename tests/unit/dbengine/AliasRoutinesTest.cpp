// InitBDE, BDEAliasExists, AddBDEAliases and ShutdownBDE over the engine stand-in.
#include <gtest/gtest.h>

#include <vector>

#include "dbengine/EngineLibrary.h"
#include "tests/unit/dbengine/EngineTestMachine.h"

namespace {

class AliasRoutinesTest : public EngineTestMachine {
protected:
    void SetUp() override {
        EngineTestMachine::SetUp();
        InstallEngine("C:\\BDE");
        SetDllPath("C:\\BDE");
    }

    std::string AliasFile() { return ReadFile("C:\\BDE\\IDAPI32.CFG"); }

    const std::vector<std::string> names_{"TORVEX", "TORVEXNEW", "TORVEXOLD", "TORVEXTMP"};
    const std::vector<std::string> folders_{"C:\\WinTorv\\DATA", "C:\\WinTorv\\NEW",
                                            "C:\\WinTorv\\OLD", "C:\\WinTorv\\TMP"};
};

TEST_F(AliasRoutinesTest, InitBDETriesAgainAfterAFailureAndThenRemembersSuccess) {
    setenv("IDAPI32_FAIL_INIT", "1", 1);
    EXPECT_FALSE(InitBDE());
    EXPECT_FALSE(bde::Engine().IsLoaded());
    EXPECT_TRUE(InitBDE());
    EXPECT_TRUE(InitBDE());
    EXPECT_EQ(bde::Engine().UseCount(), 1);  // the later call did not initialise again
    ShutdownBDE();
    EXPECT_FALSE(bde::Engine().IsLoaded());
    ShutdownBDE();  // a second call has nothing left to do
}

TEST_F(AliasRoutinesTest, InitBDEFailsWithoutAnEngine) {
    SetDllPath("C:\\NOWHERE");
    ASSERT_TRUE(Machine().RemoveFile("C:\\BDE\\IDAPI32.DLL"));
    EXPECT_FALSE(InitBDE());
    EXPECT_FALSE(BDEAliasExists());
    EXPECT_FALSE(AddBDEAliases(names_, folders_));
}

TEST_F(AliasRoutinesTest, AliasExistsOnlyWhenItsFolderDoesToo) {
    WriteFile("C:\\BDE\\IDAPI32.CFG", "OTHER=C:\\OTHER\r\ntorvex=C:\\WinTorv\\DATA\r\n");
    EXPECT_FALSE(BDEAliasExists());  // known, but its folder is not there
    ShutdownBDE();
    MakeFolders("C:\\WINTORV\\Data");  // names match without regard to case
    EXPECT_TRUE(BDEAliasExists());
}

TEST_F(AliasRoutinesTest, EngineFindsTheMachineFromItsOwnPlaceWhenNotTold) {
    unsetenv("TORVEX_HOST_ROOT");
    MakeFolders("C:\\WinTorv\\DATA");
    WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");
    EXPECT_TRUE(BDEAliasExists());
}

TEST_F(AliasRoutinesTest, MissingAliasDoesNotExist) {
    MakeFolders("C:\\OTHER");
    WriteFile("C:\\BDE\\IDAPI32.CFG", "OTHER=C:\\OTHER\r\n");
    EXPECT_FALSE(BDEAliasExists());
    EXPECT_TRUE(InitBDE());  // the engine itself is fine
}

TEST_F(AliasRoutinesTest, UnequalListsFailBeforeTheEngineIsTouched) {
    EXPECT_FALSE(AddBDEAliases(names_, {"C:\\A"}));
    EXPECT_FALSE(bde::Engine().IsLoaded());
    EXPECT_FALSE(Machine().FileExists("C:\\BDE\\IDAPI32.CFG"));
}

TEST_F(AliasRoutinesTest, AllFourAliasesAreAddedAndSaved) {
    MakeFolders("C:\\WinTorv\\DATA");
    EXPECT_TRUE(AddBDEAliases(names_, folders_));
    EXPECT_EQ(AliasFile(),
              "TORVEX=C:\\WinTorv\\DATA\r\nTORVEXNEW=C:\\WinTorv\\NEW\r\n"
              "TORVEXOLD=C:\\WinTorv\\OLD\r\nTORVEXTMP=C:\\WinTorv\\TMP\r\n");
    EXPECT_TRUE(BDEAliasExists());  // the new alias opens in the same session
}

TEST_F(AliasRoutinesTest, FailedAddDoesNotStopTheOthers) {
    setenv("IDAPI32_FAIL_ADD", "TORVEXNEW", 1);
    EXPECT_FALSE(AddBDEAliases(names_, folders_));
    EXPECT_EQ(AliasFile(),
              "TORVEX=C:\\WinTorv\\DATA\r\nTORVEXOLD=C:\\WinTorv\\OLD\r\n"
              "TORVEXTMP=C:\\WinTorv\\TMP\r\n");
}

TEST_F(AliasRoutinesTest, FailedSaveMakesTheWholeCallFail) {
    setenv("IDAPI32_FAIL_SAVE", "1", 1);
    EXPECT_FALSE(AddBDEAliases(names_, folders_));
    EXPECT_FALSE(Machine().FileExists("C:\\BDE\\IDAPI32.CFG"));
}

TEST_F(AliasRoutinesTest, FolderTooLongForTheEngineIsNotAddedCutShort) {
    const std::string deep = "C:\\" + std::string(248, 'D');  // "PATH:" + this is 256 characters
    EXPECT_FALSE(AddBDEAliases({"TORVEX", "TORVEXNEW"}, {"C:\\WinTorv\\DATA", deep}));
    EXPECT_EQ(AliasFile(), "TORVEX=C:\\WinTorv\\DATA\r\n");
}

TEST_F(AliasRoutinesTest, FoldersReachTheEngineInTheMachinesCodePageOrNotAtAll) {
    struct Row {
        unsigned codePage;
        bool added;
        const char* saved;
    } rows[] = {
        {1250, true, "TORVEX=C:\\Firm\xE3\\DATA\r\n"},
        {1252, false, ""},  // a '?' for the letter would name another folder
    };
    for (const Row& row : rows) {
        Machine().SetAnsiCodePage(row.codePage);
        Machine().RemoveFile("C:\\BDE\\IDAPI32.CFG");
        EXPECT_EQ(AddBDEAliases({"TORVEX"}, {"C:\\Firmă\\DATA"}), row.added) << row.codePage;
        EXPECT_EQ(AliasFile(), row.saved) << row.codePage;
        ShutdownBDE();
    }
}

TEST_F(AliasRoutinesTest, AddReplacesAnExistingAliasOfAnyCase) {
    WriteFile("C:\\BDE\\IDAPI32.CFG", "torvex=C:\\OLD\r\nKEEP=C:\\KEEP\r\n");
    EXPECT_TRUE(AddBDEAliases({"TORVEX"}, {"C:\\NEW"}));
    EXPECT_EQ(AliasFile(), "TORVEX=C:\\NEW\r\nKEEP=C:\\KEEP\r\n");
}

TEST_F(AliasRoutinesTest, RemovedAliasesLeaveTheSavedConfigurationAndOthersStay) {
    WriteFile("C:\\BDE\\IDAPI32.CFG", "torvex=C:\\OLD\r\nKEEP=C:\\KEEP\r\nLUNAALIAS=C:\\L\r\n");
    EXPECT_FALSE(RemoveBDEAliases({"TORVEX", "NIMENI", "LunaAlias"})) << "an alias that is not there is a failure";
    EXPECT_EQ(AliasFile(), "KEEP=C:\\KEEP\r\n") << "the others were still removed";
    EXPECT_FALSE(BDEAliasExists());
}

}  // namespace
