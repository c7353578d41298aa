// The upgrade copy page over an installed product: the replacement rule decides which
// existing files are replaced, and the run log notes every decision.
#include "core/Log.h"
#include "pages/upgrade/UpgCopy.h"
#include "tests/integration/pages/CopyMediaFixture.h"

namespace {

class UpgCopyTest : public copy_test::CopyMediaTest {
protected:
    void SetUp() override {
        CopyMediaTest::SetUp();
        MakeUpgrade();
        core::LogEnabled = true;
        core::LogOpen("C:\\torvinst.log", "INSTTORV");
    }
    void TearDown() override {
        core::LogClose();
        CopyMediaTest::TearDown();
    }

    void RunPage() {
        ui::headless::Script script;
        script.OnForm<pages::TUpgCopy>([](pages::TUpgCopy& page) {
            EXPECT_EQ(core::State().PageNo, 7);
            ui::headless::Click(page, "&Continua");
        });
        pages::TUpgCopy page;
        EXPECT_EQ(page.ShowModal(), ui::mrOk);
        EXPECT_TRUE(script.Ok()) << script.Error();
        EXPECT_TRUE(script.Messages().empty()) << script.Messages()[0].text;
    }

    // The run log's notes of the replacement rule, without their time tags.
    std::vector<std::string> Decisions() {
        std::vector<std::string> lines;
        std::string log = ReadFile("C:\\torvinst.log");
        for (size_t at = 0; at < log.size();) {
            size_t end = log.find("\r\n", at);
            std::string line = log.substr(at, end - at);
            line = line.substr(0, line.find(" <TIMP"));
            const size_t note = line.find("*       ");
            if (note != std::string::npos) line.erase(0, note + 8);
            if (line.rfind("Confirm", 0) == 0 || line == "NU!!!") lines.push_back(line);
            at = end == std::string::npos ? log.size() : end + 2;
        }
        return lines;
    }
};

TEST_F(UpgCopyTest, LocalUpgradeKeepsTheEngineFilesAndReplacesDataOnlyUnderNew) {
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\IDAPI32.CFG"), "old engine");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\SERVICE.EXE"), "new service");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\DATA\\FIRMA.DB"), "old firm");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\DATA\\NOU.DB"), "new table");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\NEW\\DATA\\X.DB"), "new blank");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.HLP"), "new help");
    EXPECT_FALSE(Machine().FileExists("C:\\WINTORV\\DBDAT.ZIP"));
    EXPECT_EQ(Decisions(), (std::vector<std::string>{
                               "Confirmare pentru: IDAPI32.CFG", "NU!!!",
                               "Confirmare pentru: TORVEX.EXE", "Confirmat",
                               "Confirmare pentru: \\DATA\\FIRMA.DB", "NU!!!",
                               "Confirmare pentru: \\NEW\\DATA\\X.DB", "Confirmat",
                           }));
}

TEST_F(UpgCopyTest, ProgramFolderTypedWithoutItsBackslashStillKeepsTheEngineFiles) {
    core::State().ProgramDir = core::State().WorkDir = "C:\\WINTORV";
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\IDAPI32.CFG"), "old engine");
    const std::vector<std::string> decisions = Decisions();
    ASSERT_GE(decisions.size(), 2u);
    EXPECT_EQ(decisions[0], "Confirmare pentru: \\IDAPI32.CFG");
    EXPECT_EQ(decisions[1], "NU!!!");
}

TEST_F(UpgCopyTest, ClientUpgradeUnpacksNoDataArchive) {
    core::State().InstallType = core::InstallClient;
    RunPage();
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "new main");
    EXPECT_FALSE(Machine().FileExists("C:\\WINTORV\\DATA\\NOU.DB"));
    EXPECT_EQ(ReadFile("C:\\WINTORV\\NEW\\DATA\\X.DB"), "old blank");
}

}  // namespace
