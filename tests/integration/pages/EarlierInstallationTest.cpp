// An upgrade of an installation made before the record existed: the record it writes
// takes in the product's aliases, group and default user when they lead to that
// installation, and only then.
#include <gtest/gtest.h>

#include "pages/upgrade/UpgCopy.h"
#include "record/InstallRecord.h"
#include "tests/integration/pages/CopyMediaFixture.h"
#include "tests/support/Standins.h"
#include "upgrade/UpgradeLibrary.h"

namespace {

class EarlierInstallationTest : public copy_test::CopyMediaTest {
protected:
    void SetUp() override {
        CopyMediaTest::SetUp();
        core::State().ProgramDir = core::State().WorkDir = "C:\\WinTorv\\";
        core::State().DataDir = "C:\\WinTorv";
        WriteFile("C:\\WinTorv\\TORVEX.EXE", "old main");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        WriteFile("C:\\TEMP\\INSTTORV.EXE", "the running installer");
        testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, "C:\\TEMP\\UPGRADE.DLL");
        ASSERT_TRUE(LoadUpgradeDll());
        Machine().WriteProfile("Torvex", "LastUser", "Master");
        MakeCd();
    }
    void TearDown() override {
        UnloadUpgradeDll();
        unsetenv("UPGRADE_ALIAS_FILE");
        CopyMediaTest::TearDown();
    }
};

TEST_F(EarlierInstallationTest, TheProductsNamesThatLeadToItAreTakenIntoTheRecord) {
    const struct {
        const char* what;
        const char* dataFolder;  // where the product's aliases lead
        const char* appPath;     // WIN.INI's program folder
        std::vector<std::string> aliases;
        const char* group;
        size_t profileValues;
    } cases[] = {
        {"its own", "C:\\WinTorv", "C:\\WinTorv\\", {"TORVEXALIAS", "FIRMAALIAS", "LUNAALIAS", "TORVEX"}, "WinTORVEX", 1},
        {"WIN.INI names another folder", "C:\\WinTorv", "D:\\ALTA", {"TORVEXALIAS", "FIRMAALIAS", "LUNAALIAS", "TORVEX"}, "WinTORVEX", 0},
        {"another installation's", "D:\\ALTA", "D:\\ALTA", {}, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Machine().RemoveFile("C:\\WinTorv\\DEZINST.INI");
        const std::string folder = c.dataFolder;
        WriteFile("C:\\TEMP\\IDAPI32.CFG", "TORVEXALIAS=" + folder + "\\NEW\\DATA\r\nFIRMAALIAS=" + folder +
                                               "\\NEW\\FIRMA\r\nLUNAALIAS=" + folder + "\\NEW\\LUNA\r\nTORVEX=" +
                                               folder + "\\DATA\r\n");
        setenv("UPGRADE_ALIAS_FILE", Machine().HostPath("C:\\TEMP\\IDAPI32.CFG").c_str(), 1);
        Machine().WriteProfile("Torvex", "AppPath", c.appPath);
        {
            ui::headless::Script script;
            pages::TUpgCopy page;
            page.BNextClick();
            ASSERT_EQ(page.ModalResult, ui::mrOk);
        }
        const record::RecordReading reading = record::ReadRecordFile("C:\\WinTorv\\DEZINST.INI");
        ASSERT_EQ(reading.problem, "");
        EXPECT_EQ(reading.record.aliases, c.aliases);
        EXPECT_EQ(reading.record.group, c.group);
        ASSERT_EQ(reading.record.profile.size(), c.profileValues);
        if (c.profileValues) {
            EXPECT_EQ(reading.record.profile[0].key + " " + reading.record.profile[0].name, "Torvex LastUser");
            EXPECT_FALSE(reading.record.profile[0].previous);
        }
    }
}

}  // namespace
