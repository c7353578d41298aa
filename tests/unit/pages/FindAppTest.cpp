// The locate page with the scripted user: the alias's folder, the search on the first
// Continue, acceptance on the second, browsing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/InstallState.h"
#include "pages/wizard/DirDialog.h"
#include "pages/upgrade/FindApp.h"
#include "tests/unit/upgrade/UpgradeTestMachine.h"
#include "ui/TitleBar.h"
#include "ui/headless/ScriptedUser.h"

namespace {

using pages::TFindApp;
using ui::headless::Click;
using ui::headless::Script;

class FindAppTest : public UpgradeTestMachine {
protected:
    void SetUp() override {
        UpgradeTestMachine::SetUp();
        core::ResetState();
        Machine().AddDrive('Z', plat::DriveType::CdRom, "/");  // the host's root is not searched
        PlaceUpgradeDll();
        ASSERT_TRUE(LoadUpgradeDll());
        SetAlias("C:\\WinTorv\\DATA");
    }

    void SetAlias(const std::string& folder) {
        WriteFile("C:\\TEMP\\IDAPI32.CFG", folder.empty() ? "" : "TORVEX=" + folder + "\r\n");
        const std::string file = Machine().HostPath("C:\\TEMP\\IDAPI32.CFG");
        setenv("UPGRADE_ALIAS_FILE", file.c_str(), 1);
    }

    void PlaceProduct(const std::string& folder) {
        MakeFolders(folder);
        WriteFile(folder + "\\TORVEX.EXE", "");
        std::filesystem::resize_file(Machine().HostPath(folder + "\\TORVEX.EXE"), 7000000);
    }

    // Shows the page with `act` as the user, who meets the folder dialog with `browse`
    // as many times as given; the page's modal result.
    int Show(const std::function<void(TFindApp&)>& act,
             const std::vector<std::function<void(pages::TDirDialog&)>>& browse = {}) {
        Script script;
        script.OnForm<TFindApp>(act);
        for (const auto& step : browse) script.OnForm<pages::TDirDialog>(step);
        TFindApp page;
        const int result = page.ShowModal();
        EXPECT_TRUE(script.Ok()) << script.Error();
        return result;
    }

    static std::function<void(pages::TDirDialog&)> Pick(const std::string& folder) {
        return [folder](pages::TDirDialog& dialog) {
            dialog.dirs->Directory = folder;
            Click(dialog, "O&K");
        };
    }
};

TEST_F(FindAppTest, FirstContinueSearchesAndTheSecondAccepts) {
    PlaceProduct("C:\\WinTorv");
    EXPECT_EQ(Show([](TFindApp& page) {
                  EXPECT_EQ(core::State().PageNo, 6);
                  EXPECT_EQ(page.TitleBar1()->Caption.get(), "Apasati 'Continua' pentru a localiza aplicatia!");
                  Click(page, "&Continua");
                  EXPECT_EQ(page.RProgram->Text.get(), "C:\\WinTorv\\");
                  EXPECT_EQ(page.RDate->Text.get(), "C:\\WinTorv");
                  EXPECT_EQ(page.TitleBar1()->Caption.get(), "Confirmati corectitudinea directorului program");
                  EXPECT_TRUE(page.BNext->Enabled);
                  Click(page, "&Continua");
              }),
              ui::mrOk);
    const core::InstallState& state = core::State();
    EXPECT_EQ(state.InstallType, core::InstallLocal);
    EXPECT_EQ(state.WorkDir, "C:\\WinTorv\\");
    EXPECT_EQ(state.ProgramDir, "C:\\WinTorv\\");
    EXPECT_EQ(state.DataDir, "C:\\WinTorv");
}

TEST_F(FindAppTest, NothingFoundShowsQuestionMarksAndOnlyAProductFolderEnablesContinue) {
    MakeFolders("C:\\Altceva");
    PlaceProduct("C:\\.Contab\\Torvex");
    // The folder dialog opens twice: first at C:\Altceva, then at the product's folder.
    Show(
        [](TFindApp& page) {
            Click(page, "&Continua");  // the product lies in a hidden folder
            EXPECT_EQ(page.RProgram->Text.get(), "????");
            EXPECT_EQ(page.dirlabel->Caption.get(), "Nu am gasit directorul program!!!");
            EXPECT_FALSE(page.BNext->Enabled);
            Click(page, "BProgram");
            EXPECT_EQ(page.RProgram->Text.get(), "C:\\Altceva\\");
            EXPECT_EQ(page.dirlabel->Caption.get(), "Nu gasesc instalare de TORVEX...");
            EXPECT_FALSE(page.BNext->Enabled);
            Click(page, "&Program:");
            EXPECT_EQ(page.dirlabel->Caption.get(), "");
            Click(page, "&Continua");
        },
        {Pick("C:\\Altceva"), Pick("C:\\.Contab\\Torvex")});
    EXPECT_EQ(core::State().ProgramDir, "C:\\.Contab\\Torvex\\");
}

TEST_F(FindAppTest, BrowsingBeforeTheSearchLeavesContinueToStartIt) {
    PlaceProduct("C:\\WinTorv");
    MakeFolders("C:\\Altceva");
    Show(
        [](TFindApp& page) {
            Click(page, "BProgram");
            EXPECT_EQ(page.dirlabel->Caption.get(), "Nu gasesc instalare de TORVEX...");
            EXPECT_TRUE(page.BNext->Enabled);
            Click(page, "&Continua");
            EXPECT_EQ(page.RProgram->Text.get(), "C:\\WinTorv\\");
            Click(page, "&Abandon");
        },
        {Pick("C:\\Altceva")});
}

TEST_F(FindAppTest, DuringTheSearchOnlyBackAndAbandonActAndBackStopsIt) {
    MakeFolders("C:\\Altceva");
    PlaceProduct("C:\\Zzz\\Torvex");  // searched after C:\Altceva
    Script script;
    bool onlyStopLive = false;
    script.OnForm<TFindApp>([&](TFindApp& page) {
        script.WhileWorking([&] {
            onlyStopLive = page.BBack->Enabled && page.BCancel->Enabled && !page.BNext->Enabled &&
                           !page.BProgram->Enabled && !page.LProgram->Enabled && !page.RProgram->Enabled;
            Click(page, "&Inapoi");
        });
        Click(page, "&Continua");
    });
    TFindApp page;
    EXPECT_EQ(page.ShowModal(), ui::mrRetry);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(onlyStopLive) << "nothing can pick a folder while the search runs";
    EXPECT_EQ(page.RProgram->Text.get(), "????") << "the search stopped before the product";
    EXPECT_TRUE(page.BProgram->Enabled);
}

TEST_F(FindAppTest, FolderTypedWithoutItsBackslashIsAcceptedAsTyped) {
    PlaceProduct("C:\\WinTorv");
    Show([](TFindApp& page) {
        Click(page, "&Continua");
        ui::headless::TypeText(page, "RProgram", "C:\\WinTorv");
        Click(page, "&Continua");
    });
    EXPECT_EQ(core::State().ProgramDir, "C:\\WinTorv");
}

TEST_F(FindAppTest, ShareOfTheAliasMakesAClientInstallation) {
    PlaceProduct("C:\\WinTorv");
    SetAlias("\\\\SRV\\APPS\\WINTORV\\DATA");
    Show([](TFindApp& page) {
        EXPECT_EQ(core::State().WorkDataDir, "\\\\SRV\\APPS\\WINTORV");
        EXPECT_EQ(core::State().InstallType, core::InstallClient);
        Click(page, "&Continua");
        EXPECT_EQ(page.RDate->Text.get(), "Am detectat o instalare client");
        Click(page, "&Continua");
    });
    EXPECT_EQ(core::State().DataDir, "\\\\SRV\\APPS\\WINTORV");
}

TEST_F(FindAppTest, AliasWithoutAFolderKeepsTheDataInTheProgramFolder) {
    PlaceProduct("C:\\WinTorv");
    SetAlias("");
    Show([](TFindApp& page) {
        EXPECT_EQ(core::State().InstallType, core::InstallLocal);
        Click(page, "&Continua");
        EXPECT_EQ(page.RDate->Text.get(), "C:\\WinTorv");
        Click(page, "&Continua");
    });
    EXPECT_EQ(core::State().DataDir, "C:\\WinTorv");
}

}  // namespace
