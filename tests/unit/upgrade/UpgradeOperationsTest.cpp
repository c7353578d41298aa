// The upgrade library's operations through the binding: reports, results, alias folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "dbengine/DatabaseEngine.h"
#include "tests/unit/upgrade/UpgradeTestMachine.h"

namespace {

class UpgradeOperationsTest : public UpgradeTestMachine {
protected:
    void SetUp() override {
        UpgradeTestMachine::SetUp();
        PlaceUpgradeDll();
        ASSERT_TRUE(LoadUpgradeDll());
        UpgradeSetReportSink([this](const std::string& text) { reports_.push_back(text); });
    }

    std::vector<std::string> reports_;
};

TEST_F(UpgradeOperationsTest, ReportsReachTheSinkAndSuccessIsAskedAfterTheOperation) {
    EXPECT_TRUE(UpgradeRun(UpgradeOperation::Structure));
    ASSERT_FALSE(reports_.empty());
    EXPECT_EQ(reports_.front(), "Verificare structuri...");
    EXPECT_EQ(reports_.back(), "Verificare structuri: terminat");
    EXPECT_EQ(Journal(),
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL DoStructureUpgrade quick=0\r\n"
              "UPGRADE.DLL GetSemaforOK 1\r\n");
}

TEST_F(UpgradeOperationsTest, FailedOperationAnswersFalseAndTheNextOneStillRuns) {
    setenv("UPGRADE_FAIL", "LIST", 1);
    EXPECT_FALSE(UpgradeRun(UpgradeOperation::Lists));
    EXPECT_EQ(reports_.back(), "Actualizare liste: esuat");
    EXPECT_TRUE(UpgradeRun(UpgradeOperation::Constants));
    EXPECT_EQ(reports_.back(), "Actualizare constante: terminat");
}

TEST_F(UpgradeOperationsTest, QuickVerificationIsPassedAsOneAndZero) {
    UpgradeSetQuickVerif(true);
    EXPECT_TRUE(UpgradeRun(UpgradeOperation::Constants));
    EXPECT_EQ(reports_.front(), "Actualizare constante (verificare rapida)...");
    UpgradeSetQuickVerif(false);
    EXPECT_TRUE(UpgradeRun(UpgradeOperation::Constants));
    EXPECT_EQ(Journal(),
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL SetQuickVerif 1\r\n"
              "UPGRADE.DLL DoConstUpgrade quick=1\r\n"
              "UPGRADE.DLL GetSemaforOK 1\r\n"
              "UPGRADE.DLL SetQuickVerif 0\r\n"
              "UPGRADE.DLL DoConstUpgrade quick=0\r\n"
              "UPGRADE.DLL GetSemaforOK 1\r\n");
}

TEST_F(UpgradeOperationsTest, ReplacedSinkReceivesTheLaterReports) {
    std::vector<std::string> later;
    UpgradeSetReportSink([&later](const std::string& text) { later.push_back(text); });
    reports_.clear();
    EXPECT_TRUE(UpgradeRun(UpgradeOperation::Lists));
    EXPECT_TRUE(reports_.empty());
    EXPECT_FALSE(later.empty());
}

TEST_F(UpgradeOperationsTest, AliasFolderComesFromTheEngineAliasFile) {
    const std::string file = Machine().HostPath("C:\\TEMP\\ALIASES.CFG");
    WriteFile("C:\\TEMP\\ALIASES.CFG", "OTHER=C:\\X\r\nTorvex=C:\\WinTorv\\DATA\r\n");
    setenv("UPGRADE_ALIAS_FILE", file.c_str(), 1);
    EXPECT_EQ(UpgradeGetAliasPath("TORVEX"), "C:\\WinTorv\\DATA");
    EXPECT_EQ(UpgradeGetAliasPath("NOSUCH"), "");
}

TEST_F(UpgradeOperationsTest, AliasFileIsFoundBesideTheLoadedEngine) {
    setenv("TORVEX_HOST_ROOT", root_.c_str(), 1);
    MakeFolders("C:\\BDE");
    std::filesystem::copy_file(ENGINE_STANDIN, Machine().HostPath("C:\\BDE\\IDAPI32.DLL"));
    Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
    WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=D:\\TORVDATA\r\n");
    ASSERT_TRUE(InitBDE());
    EXPECT_EQ(UpgradeGetAliasPath("TORVEX"), "D:\\TORVDATA");
    ShutdownBDE();
    unsetenv("TORVEX_HOST_ROOT");
}

TEST_F(UpgradeOperationsTest, AliasNameTooLongForTheBufferIsNotPassedOn) {
    EXPECT_EQ(UpgradeGetAliasPath(std::string(257, 'A')), "");
    EXPECT_EQ(Journal(), "UPGRADE.DLL SetReportProc\r\n");
    UpgradeGetAliasPath(std::string(256, 'A'));  // the longest that fits does reach it
    EXPECT_NE(Journal().find("GetAliasPath " + std::string(256, 'A')), std::string::npos);
}

}  // namespace
