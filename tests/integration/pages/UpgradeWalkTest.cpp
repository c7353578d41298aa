// Whole upgrades on the virtual machine with the scripted user: the wizard finds the
// alias, loads the stand-in upgrade library and walks the upgrade pages to the end page;
// and the record that the copy of an installation without one writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/InstallState.h"
#include "core/Wizard.h"
#include "dbengine/DatabaseEngine.h"
#include "pages/fresh/Dirs.h"
#include "pages/upgrade/FindApp.h"
#include "pages/fresh/IType.h"
#include "pages/wizard/PageTable.h"
#include "pages/upgrade/UpgCopy.h"
#include "pages/upgrade/UpgData.h"
#include "record/InstallRecord.h"
#include "tests/integration/pages/CopyMediaFixture.h"
#include "tests/support/Standins.h"
#include "tests/support/TestPages.h"
#include "upgrade/UpgradeLibrary.h"

namespace {

using testing_support::TestPageName;
using ui::headless::Click;
using ui::headless::Script;

// The installation has no record yet: its copy asks which of the product's aliases are its own.
const std::string kRecordsAliases =
    "UPGRADE.DLL GetAliasPath TORVEXALIAS\r\nUPGRADE.DLL GetAliasPath FIRMAALIAS\r\n"
    "UPGRADE.DLL GetAliasPath LUNAALIAS\r\nUPGRADE.DLL GetAliasPath TORVEX\r\n";

class UpgradeWalkTest : public copy_test::CopyMediaTest {
protected:
    void SetUp() override {
        CopyMediaTest::SetUp();
        Machine().AddDrive('Z', plat::DriveType::CdRom, "/");  // the host's root is not searched
        MakeFolders("C:\\BDE");
        testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, "C:\\BDE\\IDAPI32.DLL");
        Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, "C:\\TEMP\\UPGRADE.DLL");
        WriteFile("C:\\TEMP\\INSTTORV.EXE", "the running installer");
        MakeFolders("C:\\WinTorv\\DATA");
        WriteFile("C:\\WinTorv\\TORVEX.EXE", "old main");
        std::filesystem::resize_file(Machine().HostPath("C:\\WinTorv\\TORVEX.EXE"), 7000000);
        WriteFile("C:\\WinTorv\\IDAPI32.CFG", "old engine");
        SetAlias("C:\\WinTorv\\DATA");
        MakeCd();
    }
    void TearDown() override {
        ShutdownBDE();
        UnloadUpgradeDll();
        unsetenv("UPGRADE_ALIAS_FILE");
        CopyMediaTest::TearDown();
    }

    void SetAlias(const std::string& folder) {
        MakeFolders(folder);
        WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=" + folder + "\r\n");
        // Named outright: an engine library of an earlier test may still be mapped.
        setenv("UPGRADE_ALIAS_FILE", Machine().HostPath("C:\\BDE\\IDAPI32.CFG").c_str(), 1);
    }

    // The product's pages, with a stand-in for the end page that the script ends.
    static const core::PageTableType& Pages() {
        static const core::PageTableType table = [] {
            core::PageTableType pages = pages::PageTable();
            const core::PageTableType& stand = testing_support::TestPageTable();
            for (size_t n = 0; n < pages.size(); ++n)
                if (!pages[n].create || n == core::PageEndScreen) pages[n] = stand[n];
            return pages;
        }();
        return table;
    }

    static void FindAndAccept(Script& script) {
        script.OnForm<pages::TFindApp>([](pages::TFindApp& page) {
            Click(page, "&Continua");
            Click(page, "&Continua");
        });
    }
    static void CopyAndGoOn(Script& script) {
        script.OnForm<pages::TUpgCopy>([](pages::TUpgCopy& page) { Click(page, "&Continua"); });
    }

    std::string UpgradeJournal() { return ReadFile("C:\\TEMP\\STANDINS.LOG"); }
};

TEST_F(UpgradeWalkTest, LocalInstallationIsUpgradedAsAServerWithoutAQuestion) {
    Script script;
    FindAndAccept(script);
    CopyAndGoOn(script);
    script.OnForm<pages::TUpgData>([](pages::TUpgData& page) { Click(page, "&Continua"); });
    script.EndForm(TestPageName(4), ui::mrOk);
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_EQ(core::State().InstallType, core::InstallServer);
    EXPECT_EQ(core::State().DataDir, "C:\\WinTorv");
    EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), copy_test::Product().at("EXE").at("TORVEX.EXE"));
    EXPECT_EQ(ReadFile("C:\\WinTorv\\IDAPI32.CFG"), "old engine");
    // Unpacked by the copy, then changed by the library; the copy of the data is gone.
    EXPECT_EQ(ReadFile("C:\\WinTorv\\DATA\\FIRMA.DB"), "sample firmactualizat: Verificare structuri\r\n");
    EXPECT_FALSE(Machine().DirectoryExists("C:\\~TORVUPG"));
    EXPECT_FALSE(Machine().FileExists("C:\\Program Files\\Borland\\Common Files\\BDE\\IDAPI32.DLL"));
    EXPECT_EQ(UpgradeJournal(),
              "UPGRADE.DLL GetAliasPath TORVEX\r\n" + kRecordsAliases +
              "UPGRADE.DLL SetReportProc\r\n"
              "UPGRADE.DLL DoStructureUpgrade quick=0\r\nUPGRADE.DLL GetSemaforOK 1\r\n"
              "UPGRADE.DLL DoListUpgrade quick=0\r\nUPGRADE.DLL GetSemaforOK 1\r\n"
              "UPGRADE.DLL DoConstUpgrade quick=0\r\nUPGRADE.DLL GetSemaforOK 1\r\n");
}

TEST_F(UpgradeWalkTest, ClientAnsweringNoGoesFromTheCopyToTheEndPage) {
    Machine().AddDrive('N', plat::DriveType::Remote);
    SetAlias("N:\\WINTORV\\DATA");
    Script script;
    FindAndAccept(script);
    script.AnswerMessage("&Nu");
    CopyAndGoOn(script);
    script.EndForm(TestPageName(4), ui::mrOk);
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].title, "UPGRADE baza de date SERVER ?");
    EXPECT_EQ(core::State().WorkDataDir, "N:\\WINTORV");
    EXPECT_EQ(core::State().InstallType, core::InstallClient);
    EXPECT_EQ(core::State().DataDir, "N:\\WINTORV");
    EXPECT_FALSE(Machine().FileExists("N:\\WINTORV\\DATA\\FIRMA.DB")) << "a CLIENT unpacks no data";
    EXPECT_EQ(UpgradeJournal(), "UPGRADE.DLL GetAliasPath TORVEX\r\n" + kRecordsAliases);
}

TEST_F(UpgradeWalkTest, ClientAnsweringYesUpgradesTheServersDatabase) {
    Machine().AddDrive('N', plat::DriveType::Remote);
    SetAlias("N:\\WINTORV\\DATA");
    Script script;
    FindAndAccept(script);
    script.AnswerMessage("&Da");
    CopyAndGoOn(script);
    script.OnForm<pages::TUpgData>([](pages::TUpgData& page) { Click(page, "&Continua"); });
    script.EndForm(TestPageName(4), ui::mrOk);
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(core::State().InstallType, core::InstallServer);
    EXPECT_EQ(ReadFile("N:\\WINTORV\\DATA\\FIRMA.DB"), "sample firmactualizat: Verificare structuri\r\n");
    EXPECT_NE(UpgradeJournal().find("DoConstUpgrade"), std::string::npos);
}

TEST_F(UpgradeWalkTest, FromFloppiesEachDiskIsAskedForAndRenuntOnTheCopyPageEnds) {
    MakeFloppies();
    Script script;
    FindAndAccept(script);
    CopyAndGoOn(script);
    ChangeDiskOnRequest(script, 2);
    script.AnswerMessage("&Renunt");  // at the request for disk 3
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 2u);
    EXPECT_EQ(script.Messages()[1].text.back(), '3');
    EXPECT_EQ(core::State().PageNo, core::PageEnd);
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\EXE.ZIP")) << "joined from disks 1 and 2, gone with the copy";
    EXPECT_FALSE(Machine().DirectoryExists("C:\\~TORVUPG")) << "the journal's folder";
    EXPECT_NE(ReadFile("C:\\WinTorv\\TORVEX.EXE"), copy_test::Product().at("EXE").at("TORVEX.EXE"))
        << "nothing unpacked";
    EXPECT_EQ(UpgradeJournal(), "UPGRADE.DLL GetAliasPath TORVEX\r\n");
}

TEST_F(UpgradeWalkTest, BackGoesFromTheCopyToTheLocatePageAndFromTheDatabaseToTheCopyPage) {
    Script script;
    FindAndAccept(script);
    script.OnForm<pages::TUpgCopy>([](pages::TUpgCopy& page) { Click(page, "&Inapoi"); });
    FindAndAccept(script);
    CopyAndGoOn(script);
    script.OnForm<pages::TUpgData>([](pages::TUpgData& page) { Click(page, "&Inapoi"); });
    CopyAndGoOn(script);
    script.OnForm<pages::TUpgData>([](pages::TUpgData& page) { Click(page, "&Continua"); });
    script.EndForm(TestPageName(4), ui::mrOk);
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(script.FormsShown(), (std::vector<std::string>{"TFindApp", "TUpgCopy", "TFindApp", "TUpgCopy",
                                                             "TUpgData", "TUpgCopy", "TUpgData",
                                                             TestPageName(4)}));
    EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), copy_test::Product().at("EXE").at("TORVEX.EXE"));
    EXPECT_NE(UpgradeJournal().find("DoConstUpgrade"), std::string::npos);
}

TEST_F(UpgradeWalkTest, AClientWhoseServerShareIsGoneIsToldOnTheFoldersPage) {
    // The alias names a share that is gone: its database does not open, so the wizard
    // takes the fresh path, and the folders page refuses the share as the data folder.
    const std::string share = "\\\\SRV\\GONE\\WINTORV";
    WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=" + share + "\\DATA\r\n");
    Script script;
    script.OnForm<pages::TIType>([](pages::TIType& page) {
        Click(page, " CLIEN&T    - programul va folosi o baza de date aflata la distanta");
        Click(page, "&Continua");
    });
    script.OnForm<pages::TDirs>([&](pages::TDirs& page) {
        ui::headless::TypeText(page, "RDate", share);
        Click(page, "&Continua");
    });
    script.CloseMessage(ui::mrCancel);
    script.OnForm<pages::TDirs>([](pages::TDirs& page) { Click(page, "&Abandon"); });
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].title, "Eroare!");
    EXPECT_NE(script.Messages()[0].text.find("La instalarea client baza de date trebuie sa existe!"),
              std::string::npos);
    EXPECT_FALSE(core::State().IsUpgrade);
}

TEST_F(UpgradeWalkTest, BackOnTheLocatePageEndsTheProgram) {
    Script script;
    script.OnForm<pages::TFindApp>([](pages::TFindApp& page) { Click(page, "&Inapoi"); });
    core::RunWizard(Pages());
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(script.FormsShown(), std::vector<std::string>{"TFindApp"});
    EXPECT_EQ(core::State().PageNo, core::PageEnd);
}

// The record takes in the product's aliases, group and default user when they lead to the
// installation, and only then.
TEST_F(UpgradeWalkTest, TheCopyOfAnInstallationWithoutARecordTakesTheProductsNamesThatLeadToIt) {
    core::State().ProgramDir = core::State().WorkDir = "C:\\WinTorv\\";
    core::State().DataDir = "C:\\WinTorv";
    Machine().WriteProfile("Torvex", "LastUser", "Master");
    ASSERT_TRUE(LoadUpgradeDll());
    const std::vector<std::string> kProductAliases = {"TORVEXALIAS", "FIRMAALIAS", "LUNAALIAS", "TORVEX"};
    const struct {
        const char* what;
        std::string dataFolder;  // where the product's aliases lead
        const char* appPath;     // WIN.INI's program folder
        bool ours;
        bool userTaken;
    } cases[] = {
        {"its own", "C:\\WinTorv", "C:\\WinTorv\\", true, true},
        {"WIN.INI names another folder", "C:\\WinTorv", "D:\\ALTA", true, false},
        {"another installation's", "D:\\ALTA", "D:\\ALTA", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Machine().RemoveFile("C:\\WinTorv\\DEZINST.INI");
        WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEXALIAS=" + c.dataFolder + "\\NEW\\DATA\r\nFIRMAALIAS=" + c.dataFolder +
                                              "\\NEW\\FIRMA\r\nLUNAALIAS=" + c.dataFolder + "\\NEW\\LUNA\r\nTORVEX=" +
                                              c.dataFolder + "\\DATA\r\n");
        Machine().WriteProfile("Torvex", "AppPath", c.appPath);
        {
            Script script;
            pages::TUpgCopy page;
            page.BNextClick();
            ASSERT_EQ(page.ModalResult, ui::mrOk);
            core::State().Upgrade->Commit();  // what the database upgrade page would do
        }
        const record::RecordReading reading = record::ReadRecordFile("C:\\WinTorv\\DEZINST.INI");
        ASSERT_EQ(reading.problem, "");
        EXPECT_EQ(reading.record.aliases, c.ours ? kProductAliases : std::vector<std::string>{});
        EXPECT_EQ(reading.record.group, c.ours ? "WinTORVEX" : "");
        ASSERT_EQ(reading.record.profile.size(), c.userTaken ? 1u : 0u);
        if (c.userTaken) {
            EXPECT_EQ(reading.record.profile[0].key + " " + reading.record.profile[0].name, "Torvex LastUser");
            EXPECT_FALSE(reading.record.profile[0].previous);
        }
    }
}

}  // namespace
