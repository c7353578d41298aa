// The fresh-installation pages walked by a scripted user on the virtual machine, through
// the wizard driver: type, folders, (copy) and back, for each kind of installation; and
// the same pages walked by the pilot of an unattended run.
#include <gtest/gtest.h>

#include "answers/ExitCodes.h"
#include "core/InstallState.h"
#include "core/RunPilot.h"
#include "core/Wizard.h"
#include "pages/fresh/Dirs.h"
#include "pages/wizard/EndScreen.h"
#include "pages/fresh/IType.h"
#include "pages/wizard/PageTable.h"
#include "pages/wizard/WizardPage.h"
#include "tests/support/TestPages.h"
#include "tests/support/VirtualMachine.h"
#include "ui/MessageBox.h"
#include "ui/Pilot.h"
#include "ui/headless/ScriptedUser.h"

using pages::TDirs;
using pages::TIType;
using ui::headless::Click;
using ui::headless::Script;
using ui::headless::TypeText;

namespace {

// The product's pages 0, 1 and 4; the copy and configuration pages stand in.
const core::PageTableType& WalkPages() {
    static const core::PageTableType table = [] {
        core::PageTableType pages = pages::PageTable();
        pages[2].name = "2";
        pages[2].create = testing_support::MakeTestPage<2>;
        pages[3].name = "3";
        pages[3].create = testing_support::MakeTestPage<3>;
        return pages;
    }();
    return table;
}

const char* const kItems[] = {" &LOCAL     - programul va fi folosit numai pe acest calculator",
                              " &SERVER  - acest calculator va contine baza de date",
                              " CLIEN&T    - programul va folosi o baza de date aflata la distanta"};

// Stands in for the copy and configuration pages: Continue goes on.
template <int PageNo>
class StandInPage : public pages::TWizardPage {
public:
    StandInPage() : TWizardPage("StandIn" + std::to_string(PageNo), PageNo, "stand-in") {
        AddStandardButton({pages::PageButton::Next, ui::Bounds(0, 0, 60, 40)});
        AddStandardButton({pages::PageButton::Cancel, ui::Bounds(60, 0, 60, 40)});
    }
};

const core::PageTableType& UnattendedPages() {
    static const core::PageTableType table = [] {
        core::PageTableType pages = pages::PageTable();
        pages[2].name = "2";
        pages[2].create = [] { return std::unique_ptr<ui::TForm>(new StandInPage<2>); };
        pages[3].name = "3";
        pages[3].create = [] { return std::unique_ptr<ui::TForm>(new StandInPage<3>); };
        return pages;
    }();
    return table;
}

}  // namespace

class FreshWalkTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        core::ResetState();
        ui::MessageHeading.clear();
    }
};

TEST_F(FreshWalkTest, EachKindWalksTypeFoldersCopyAndBackToTheEnd) {
    struct Walk {
        uint8_t kind;
        const char* dataTyped;  // typed in the data field, or null when it is hidden
        const char* dataDir;    // DataDir at the end
    } walks[] = {
        {core::InstallLocal, nullptr, "C:\\WinTorv"},
        {core::InstallServer, "C:\\TorvDate", "C:\\TorvDate"},
        // Inside the program folder, which the first Continue creates with it.
        {core::InstallServer, "C:\\WinTorv\\Date", "C:\\WinTorv\\Date"},
        {core::InstallClient, "C:\\Server", "C:\\Server"},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(int(walk.kind));
        TearDown();
        SetUp();
        if (walk.kind == core::InstallClient) MakeFolders("C:\\Server");
        const int item = walk.kind - 1;
        Script script;
        script.OnForm<TIType>([&](TIType& page) {
            Click(page, kItems[item]);
            Click(page, "&Continua");
        });
        script.OnForm<TDirs>([&](TDirs& page) {
            EXPECT_EQ(page.RProgram->Text.get(), "C:\\WinTorv") << "the folder proposed on the first visit";
            if (walk.dataTyped) TypeText(page, "RDate", walk.dataTyped);
            Click(page, "&Continua");
        });
        script.EndForm(testing_support::TestPageName(2), 4);
        script.OnForm<TDirs>([&](TDirs& page) {
            EXPECT_EQ(page.RProgram->Text.get(), "C:\\WinTorv");
            if (walk.kind == core::InstallServer) {
                EXPECT_EQ(page.RDate->Text.get(), walk.dataTyped) << "the earlier visit's folder";
            }
            Click(page, "&Inapoi");
        });
        script.OnForm<TIType>([&](TIType& page) {
            EXPECT_EQ(page.IType->ItemIndex.get(), item) << "the earlier choice";
            Click(page, "&Continua");
        });
        script.OnForm<TDirs>([&](TDirs& page) {
            if (walk.kind == core::InstallClient) TypeText(page, "RDate", walk.dataTyped);
            Click(page, "&Continua");
        });
        script.EndForm(testing_support::TestPageName(2), 1);
        script.EndForm(testing_support::TestPageName(3), 1);
        script.OnForm<pages::TEndScreen>([](pages::TEndScreen& page) { Click(page, "I&esire"); });

        core::RunWizard(WalkPages());
        EXPECT_TRUE(script.Ok()) << script.Error();
        EXPECT_TRUE(script.Messages().empty());
        EXPECT_EQ(core::State().PageNo, core::PageEnd);
        EXPECT_EQ(core::State().InstallType, walk.kind);
        EXPECT_EQ(core::State().ProgramDir, "C:\\WinTorv");
        EXPECT_EQ(core::State().DataDir, walk.dataDir);
        EXPECT_TRUE(Machine().DirectoryExists("C:\\WinTorv"));
        EXPECT_TRUE(Machine().DirectoryExists(walk.dataDir));
    }
}

// Unattended: the pilot fills the pages from an answers file and presses their buttons.
TEST_F(FreshWalkTest, UnattendedTheAnswersDecideTheWalkAndTheExitCode) {
    struct Walk {
        const char* answers;
        answers::Outcome outcome;
        const char* programDir;  // created, or null when nothing may be
    } walks[] = {
        {"[Instalare]\nTip=SERVER\nProgram=D:\\Contab\nDate=D:\\Contab\\Date\n", answers::Outcome::Installed, "D:\\Contab"},
        {"[Instalare]\nTip=LOCAL\nProgram=D:\\Local\n", answers::Outcome::Installed, "D:\\Local"},
        // The server's data folder does not exist: the folders page refuses it.
        {"[Instalare]\nTip=CLIENT\nProgram=D:\\Client\nDate=N:\\Nicaieri\n", answers::Outcome::AnswersWrong, nullptr},
        {"[Instalare]\nTip=SERVER\nProgram=D:\\Server\n", answers::Outcome::AnswersWrong, nullptr},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.answers);
        TearDown();
        SetUp();
        Machine().AddDrive('D', plat::DriveType::Fixed);
        answers::RunSwitches switches;
        switches.autoFile = "C:\\a.ini";
        const auto given = answers::ParseAnswers(walk.answers, switches.autoFile);
        ASSERT_FALSE(given.problem);
        core::RunPilot pilot(switches, given.answers);
        ui::SetPilot(&pilot);
        core::RunWizard(UnattendedPages());
        ui::SetPilot(nullptr);

        EXPECT_EQ(pilot.Outcome(), walk.outcome);
        EXPECT_EQ(core::State().PageNo, core::PageEnd);
        if (walk.programDir) {
            EXPECT_TRUE(Machine().DirectoryExists(walk.programDir));
            EXPECT_EQ(core::State().ProgramDir, walk.programDir);
            EXPECT_EQ(pilot.Taken(), given.answers) << "what the pages took is what was given";
        } else {
            EXPECT_FALSE(Machine().DirectoryExists("D:\\Client"));
            EXPECT_FALSE(Machine().DirectoryExists("D:\\Server"));
        }
    }
}
