// Unattended runs of the fresh-installation pages on the virtual machine: the pilot fills
// the pages from an answers file and presses their buttons; nobody answers anything.
#include <gtest/gtest.h>

#include "answers/ExitCodes.h"
#include "core/InstallState.h"
#include "core/RunPilot.h"
#include "core/Wizard.h"
#include "pages/PageTable.h"
#include "pages/WizardPage.h"
#include "tests/support/VirtualMachine.h"
#include "ui/MessageBox.h"
#include "ui/Pilot.h"

namespace {

// Stands in for the copy and configuration pages: Continue goes on.
template <int PageNo>
class StandInPage : public pages::TWizardPage {
public:
    StandInPage() : TWizardPage("StandIn" + std::to_string(PageNo), PageNo, "stand-in") {
        AddStandardButton({pages::PageButton::Next, ui::Bounds(0, 0, 60, 40)});
        AddStandardButton({pages::PageButton::Cancel, ui::Bounds(60, 0, 60, 40)});
    }
};

const core::PageTableType& WalkPages() {
    static const core::PageTableType table = [] {
        core::PageTableType pages = pages::PageTable();
        pages[2] = {"2", [] { return std::unique_ptr<ui::TForm>(new StandInPage<2>); }};
        pages[3] = {"3", [] { return std::unique_ptr<ui::TForm>(new StandInPage<3>); }};
        return pages;
    }();
    return table;
}

}  // namespace

class UnattendedWalkTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        core::ResetState();
        ui::MessageHeading.clear();
    }
};

TEST_F(UnattendedWalkTest, TheAnswersDecideTheWalkAndTheExitCode) {
    struct Walk {
        const char* answers;
        int exitCode;
        const char* programDir;  // created, or null when nothing may be
    } walks[] = {
        {"[Instalare]\nTip=SERVER\nProgram=D:\\Contab\nDate=D:\\Contab\\Date\n", answers::ExitDone, "D:\\Contab"},
        {"[Instalare]\nTip=LOCAL\nProgram=D:\\Local\n", answers::ExitDone, "D:\\Local"},
        // The server's data folder does not exist: the folders page refuses it.
        {"[Instalare]\nTip=CLIENT\nProgram=D:\\Client\nDate=N:\\Nicaieri\n", answers::ExitBadAnswers, nullptr},
        {"[Instalare]\nTip=SERVER\nProgram=D:\\Server\n", answers::ExitBadAnswers, nullptr},
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
        core::RunWizard(WalkPages());
        ui::SetPilot(nullptr);

        EXPECT_EQ(pilot.ExitCode(), walk.exitCode);
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
