#include <gtest/gtest.h>

#include <filesystem>

#include "core/InstallState.h"
#include "core/Wizard.h"
#include "tests/support/Standins.h"
#include "tests/support/TestPages.h"
#include "tests/support/VirtualMachine.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/ScriptedUser.h"
#include "upgrade/UpgradeLibrary.h"
#include "dbengine/DatabaseEngine.h"

using namespace core;
using ui::headless::Script;

namespace {
const PageTableType& TestPages() { return testing_support::TestPageTable(); }
std::string Page(int n) { return testing_support::TestPageName(n); }
}  // namespace

TEST(WizardRules, ResultsMoveThePageNumber) {
    EXPECT_EQ(PageAfterResult(0, 1), 1);
    EXPECT_EQ(PageAfterResult(3, 2), PageEnd);
    EXPECT_EQ(PageAfterResult(2, 4), 1);
    EXPECT_EQ(PageAfterResult(6, 4), PageEnd) << "Back on the locate page is the end";
    EXPECT_EQ(PageAfterResult(4, 1), PageEnd) << "the end page's exit";
    EXPECT_EQ(PageAfterResult(2, 0), 2);
    EXPECT_EQ(PageAfterResult(2, 6), 2);
}

TEST(WizardRules, EveryTransitionOfTheTable) {
    struct Row {
        int page, result, next;
    };
    // For a LOCAL or SERVER installation; the CLIENT's rows are the scripted tests below.
    const Row table[] = {
        {0, 1, 1}, {0, 2, PageEnd},
        {1, 1, 2}, {1, 2, PageEnd}, {1, 4, 0},
        {2, 1, 3}, {2, 2, PageEnd}, {2, 4, 1},
        {3, 1, 4}, {3, 2, PageEnd}, {3, 4, 2},
        {4, 1, PageEnd}, {4, 2, PageEnd}, {4, 4, 3},
        {6, 1, 7}, {6, 2, PageEnd}, {6, 4, PageEnd},
        {7, 1, 8}, {7, 2, PageEnd}, {7, 4, 6},
        {8, 1, 4}, {8, 2, PageEnd}, {8, 4, 7},
    };
    for (uint8_t kind : {InstallLocal, InstallServer}) {
        for (const Row& row : table) {
            ResetState();
            State().InstallType = kind;
            EXPECT_EQ(NextPageNo(row.page, row.result), row.next) << "page " << row.page << " result " << row.result;
        }
    }
    EXPECT_THROW(NextPageNo(0, 4), std::out_of_range) << "the first page has no Back";
}

TEST(WizardRules, PagesSitCentredAndLow) {
    PagePlacement at = PlacePage(1024, 768, 643, 141);
    EXPECT_EQ(at.left, 190);
    EXPECT_EQ(at.top, 552);
    at = PlacePage(640, 480, 700, 500);  // larger than the screen: negative, truncated toward zero
    EXPECT_EQ(at.left, -30);
    EXPECT_EQ(at.top, -16);
}

class WizardTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        MakeFolders("C:\\TEMP");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        ResetState();
        ui::MessageHeading.clear();
    }
    void TearDown() override {
        ShutdownBDE();
        UnloadUpgradeDll();
        VirtualMachineTest::TearDown();
    }
    // The engine knows alias TORVEX; with `withUpgradeLibrary` the upgrade library lies
    // beside the program.
    void MakeUpgradeMachine(bool withUpgradeLibrary) {
        MakeFolders("C:\\BDE");
        MakeFolders("C:\\WinTorv\\DATA");
        testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, "C:\\BDE\\IDAPI32.DLL");
        WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");
        Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
        if (withUpgradeLibrary)
            testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, "C:\\TEMP\\UPGRADE.DLL");
    }
};

TEST_F(WizardTest, FreshInstallationWalksZeroToFourAndBackAgain) {
    Script script;
    script.EndForm(Page(0), 1).EndForm(Page(1), 1).EndForm(Page(2), 4).EndForm(Page(1), 1)
        .EndForm(Page(2), 1).EndForm(Page(3), 1).EndForm(Page(4), 4).EndForm(Page(3), 1).EndForm(Page(4), 1);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(State().PageNo, PageEnd);
    EXPECT_FALSE(State().IsUpgrade);
}

TEST_F(WizardTest, AbandonEndsAndAnUnknownResultShowsThePageAgain) {
    Script script;
    script.EndForm(Page(0), 1).EndForm(Page(1), 0).EndForm(Page(1), 7).EndForm(Page(1), 2);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(State().PageNo, PageEnd);
}

TEST_F(WizardTest, FreshInstallationDeletesUpgradeArchiveUnopened) {
    WriteFile("C:\\TEMP\\UPGRADE.ZIP", "not even an archive");
    Script script;
    script.EndForm(Page(0), 2);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_FALSE(Machine().FileExists("C:\\TEMP\\UPGRADE.ZIP"));
}

TEST_F(WizardTest, DiskCountIsReadBeforeTheFirstPage) {
    WriteFile("C:\\TEMP\\INSTTORV.CFG", "[General]\r\nNrDiscuri=3\r\n");
    int seen = -1;
    Script script;
    script.OnForm(Page(0), [&](ui::TForm& page) {
        seen = State().DiskCount;
        page.ModalResult = 2;
    });
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(seen, 3);
}

TEST_F(WizardTest, AliasWithoutUpgradeLibraryShowsOnlyTheErrorBox) {
    MakeUpgradeMachine(false);
    Script script;
    script.AnswerMessage("&Renunt");
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    const auto& box = script.Messages()[0];
    EXPECT_EQ(box.text, "Nu am putut incarca UPGRADE.DLL");
    EXPECT_EQ(box.title, "Program incomplet!");
    EXPECT_EQ(box.kind, ui::mtError);
    EXPECT_EQ(box.buttons, ui::Buttons({ui::mbCancel}));
    EXPECT_EQ(box.defaultButton, ui::mbCancel);
    EXPECT_TRUE(State().IsUpgrade);
    EXPECT_EQ(State().PageNo, PageEnd);
    EXPECT_EQ(script.FormsShown().size(), 1u) << "no page besides the box";
}

TEST_F(WizardTest, UpgradeOfALocalInstallationBecomesServerWithoutAQuestion) {
    MakeUpgradeMachine(true);
    Script script;
    script.OnForm(Page(6), [](ui::TForm& page) {
        State().InstallType = InstallLocal;  // what the locate page decides
        page.ModalResult = 1;
    });
    script.EndForm(Page(7), 1).EndForm(Page(8), 1).EndForm(Page(4), 1);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_EQ(State().InstallType, InstallServer);
}

TEST_F(WizardTest, ClientIsAskedEachTimeTheUpgradeCopyPageComesAndNoSkipsTheDatabasePage) {
    MakeUpgradeMachine(true);
    Script script;
    script.OnForm(Page(6), [](ui::TForm& page) {
        State().InstallType = InstallClient;
        page.ModalResult = 1;
    });
    script.AnswerMessage("&Nu");
    script.EndForm(Page(7), 3);  // an unexpected result: page 7 again, asked again
    script.AnswerMessage("&Nu");
    script.EndForm(Page(7), 1);  // a CLIENT goes from the copy page to the end page
    script.EndForm(Page(4), 4);  // Back on the end page: the configuration page, after an upgrade too
    script.EndForm(Page(3), 2);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 2u);
    const auto& question = script.Messages()[0];
    EXPECT_EQ(question.title, "UPGRADE baza de date SERVER ?");
    EXPECT_EQ(question.kind, ui::mtConfirmation);
    EXPECT_EQ(question.buttons, ui::Buttons({ui::mbYes, ui::mbNo}));
    EXPECT_EQ(question.defaultButton, ui::mbNo);
    EXPECT_EQ(question.text.substr(0, 45), "Baza de date se afla la distanta, pe SERVER.\r");
    EXPECT_NE(question.text.find("\r" + std::string(46, '_') + "\r\r"), std::string::npos);
    EXPECT_NE(question.text.find("\r" + std::string(48, '_') + "\r\r"), std::string::npos);
    EXPECT_EQ(question.text.substr(question.text.size() - 43), "\rFac UPGRADE la baza de date de pe SERVER?\r");
    EXPECT_EQ(State().InstallType, InstallClient);
    EXPECT_EQ(ui::MessageHeading, "PENTRU CONTINUARE");
}

TEST_F(WizardTest, ClientWhoSaysYesBecomesServerAndIsNotAskedAgain) {
    MakeUpgradeMachine(true);
    ui::MessageHeading = "ceva";
    Script script;
    script.OnForm(Page(6), [](ui::TForm& page) {
        State().InstallType = InstallClient;
        page.ModalResult = 1;
    });
    script.AnswerMessage("&Da");
    script.EndForm(Page(7), 1).EndForm(Page(8), 4);  // Back from 8 to 7: SERVER now, no question
    script.EndForm(Page(7), 1).EndForm(Page(8), 1).EndForm(Page(4), 2);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(script.Messages().size(), 1u);
    EXPECT_EQ(script.Messages()[0].text.substr(0, 4), "Baza") << "the heading is cleared for the question";
    EXPECT_EQ(State().InstallType, InstallServer);
}

TEST_F(WizardTest, BackOnTheLocatePageEndsTheProgram) {
    MakeUpgradeMachine(true);
    Script script;
    script.EndForm(Page(6), 4);
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    EXPECT_EQ(State().PageNo, PageEnd);
}

TEST_F(WizardTest, PagesArePlacedLowOnTheScreen) {
    int left = -1, top = -1;
    Script script;
    script.OnForm(Page(0), [&](ui::TForm& page) {
        left = page.Left;
        top = page.Top;
        page.ModalResult = 2;
    });
    RunWizard(TestPages());
    EXPECT_TRUE(script.Ok()) << script.Error();
    PagePlacement expected = PlacePage(ui::ScreenWidth(), ui::ScreenHeight(), 643, 141);
    EXPECT_EQ(left, expected.left);
    EXPECT_EQ(top, expected.top);
}

TEST_F(WizardTest, AMissingPageEndsTheWizardWithAnError) {
    PageTableType pages = TestPages();
    pages[1].create = nullptr;
    Script script;
    script.EndForm(Page(0), 1);
    EXPECT_THROW(RunWizard(pages), std::runtime_error);
    EXPECT_TRUE(script.Ok()) << script.Error();
}
