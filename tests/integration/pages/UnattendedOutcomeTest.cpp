// How an unattended run ends, taken whole through the working copy's start: the failure of
// each page, the boxes, the record, the program's own fault, the upgrade library, another
// run on the machine and a run log that cannot be written. Each ends with its exit code
// and the log's last note says which. The scripted user has no answer for any box, so a
// box that waited for a person would end the test.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "core/InstallState.h"
#include "core/Log.h"
#include "core/Startup.h"
#include "dbengine/DatabaseEngine.h"
#include "pages/wizard/PageTable.h"
#include "pages/wizard/WizardPage.h"
#include "tests/support/Standins.h"
#include "tests/support/VirtualMachine.h"
#include "ui/MessageBox.h"
#include "ui/headless/ScriptedUser.h"
#include "upgrade/UpgradeLibrary.h"

namespace {

enum class Act { GoesOn, Fails, AsksForDisk, Reports, Throws };
int actingPage = -1;  // the page that does `act` on Continue; every other page goes on
Act act = Act::GoesOn;

template <size_t PageNo>
class ActingPage : public pages::TWizardPage {
public:
    ActingPage() : TWizardPage("Acting" + std::to_string(PageNo), PageNo, "acting") {
        AddStandardButton({pages::PageButton::Next, ui::Bounds(0, 0, 60, 40)});
        AddStandardButton({pages::PageButton::Cancel, ui::Bounds(60, 0, 60, 40)});
        BNext->OnClick = [this] {
            const Act now = int(PageNo) == actingPage ? act : Act::GoesOn;
            if (now == Act::Throws) throw std::runtime_error("a fault of the program");
            if (now == Act::GoesOn) return void(ModalResult = ui::mrOk);
            // A failure keeps the page open, a report goes on, a disk refused ends the page.
            const bool failure = now == Act::Fails;
            ui::MessagePurposeScope purpose(now == Act::AsksForDisk ? ui::MessagePurpose::MediaRequest
                                            : failure                ? ui::MessagePurpose::Failure
                                                                     : ui::MessagePurpose::Report);
            const int answer = ui::ShowMessageBox("a box", "", failure ? ui::mtError : ui::mtWarning, ui::taCenter,
                                                  failure ? ui::Buttons({ui::mbCancel}) : ui::Buttons({ui::mbOK, ui::mbCancel}),
                                                  failure ? ui::mbCancel : ui::mbOK, 0);
            if (!failure) ModalResult = answer == ui::mrOk ? ui::mrOk : ui::mrCancel;
        };
    }
};

// The product's page table (each page's outcome of a failure), its pages acting.
template <size_t... N>
core::PageTableType ActingPages(std::index_sequence<N...>) {
    core::PageTableType table = pages::PageTable();
    ((table[N].create = table[N].create ? +[] { return std::unique_ptr<ui::TForm>(new ActingPage<N>); } : nullptr), ...);
    return table;
}

class UnattendedOutcomeTest : public testing_support::VirtualMachineTest {
protected:
    void TearDown() override {
        ShutdownBDE();
        UnloadUpgradeDll();
        unsetenv("UPGRADE_ALIAS_FILE");
        core::LogEnabled = false;
        VirtualMachineTest::TearDown();
    }
};

TEST_F(UnattendedOutcomeTest, EachFailureEndsTheRunWithItsCodeAndTheLogSaysIt) {
    enum Setting { Fresh, Upgrade, NoUpgradeLibrary, MachineBusy, NoRights, LogBlocked, RecordBlocked };
    const struct Row {
        const char* what;
        Setting setting;
        int page;
        Act act;
        int code;
        const char* lastNote;
    } rows[] = {
        {"type page fails", Fresh, 0, Act::Fails, 2, "fisierul de raspunsuri lipseste"},
        {"folders page fails", Fresh, 1, Act::Fails, 2, "fisierul de raspunsuri lipseste"},
        {"copy page fails", Fresh, 2, Act::Fails, 3, "copierea a esuat"},
        {"configuration page fails", Fresh, 3, Act::Fails, 4, "un pas de configurare a esuat"},
        {"end page fails", Fresh, 4, Act::Fails, 4, "un pas de configurare a esuat"},
        {"locate page fails", Upgrade, 6, Act::Fails, 5, "instalarea de actualizat nu a fost gasita"},
        {"upgrade copy page fails", Upgrade, 7, Act::Fails, 3, "copierea a esuat"},
        {"database page fails", Upgrade, 8, Act::Fails, 4, "un pas de configurare a esuat"},
        {"a disk to change", Fresh, 2, Act::AsksForDisk, 6, "suportul cere schimbarea dischetelor"},
        {"a report goes on", Fresh, 3, Act::Reports, 0, "instalat sau actualizat"},
        {"the program's fault", Fresh, 2, Act::Throws, 3, "eroare a programului de instalare"},
        {"the record cannot be written", RecordBlocked, -1, Act::GoesOn, 0, "instalat sau actualizat"},
        {"no upgrade library", NoUpgradeLibrary, -1, Act::GoesOn, 5, "lipseste UPGRADE.DLL"},
        {"another run holds the machine", MachineBusy, -1, Act::GoesOn, 7, "o alta instalare ruleaza"},
        {"no administrator rights", NoRights, -1, Act::GoesOn, 8, "lipsesc drepturile de administrator"},
        {"c:\\torvinst.log cannot be written", LogBlocked, -1, Act::GoesOn, 0, "instalat sau actualizat"},
    };
    const core::PageTableType pages = ActingPages(std::make_index_sequence<core::PageTableType().size()>());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        SetUp();
        core::ResetState();
        ui::MessageHeading.clear();
        actingPage = row.page;
        act = row.act;
        // The working copy of a run from C:\\MEDIA, and its answers.
        Machine().SetEnvironment("TEMP", "C:\\TEMP");
        MakeFolders("C:\\TEMP");
        WriteFile("C:\\TEMP\\INSTTORV.DAT", "C:\\MEDIA\\\r\n");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        WriteFile("C:\\a.ini", "[Instalare]\r\nTip=LOCAL\r\nProgram=C:\\WinTorv\r\n"
                               "[Actualizare]\r\nStructuri=1\r\nListe=1\r\nConstante=1\r\n");
        std::vector<std::string> arguments = {"-log", "-log", "-log", "-log", "-auto", "C:\\a.ini"};
        if (row.setting == Upgrade || row.setting == NoUpgradeLibrary) {
            // An installation to upgrade: the engine knows the alias TORVEX.
            MakeFolders("C:\\BDE");
            MakeFolders("C:\\WinTorv\\DATA");
            testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, "C:\\BDE\\IDAPI32.DLL");
            Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
            WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");
            setenv("UPGRADE_ALIAS_FILE", Machine().HostPath("C:\\BDE\\IDAPI32.CFG").c_str(), 1);
            if (row.setting == Upgrade) testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, "C:\\TEMP\\UPGRADE.DLL");
        }
        if (row.setting == MachineBusy) Machine().HoldName("WinTORVEX-Setup-Wizard");
        if (row.setting == NoRights) Machine().SetAdministratorRights(false);
        if (row.setting == MachineBusy || row.setting == NoRights) WriteFile("C:\\TEMP\\UPGRADE.ZIP", "untouched");
        if (row.setting == LogBlocked) Machine().FailOpen("C:\\torvinst.log");
        if (row.setting == RecordBlocked) arguments.insert(arguments.end(), {"-record", "C:\\Nicaieri\\r.ini"});

        ui::headless::Script nobody;
        EXPECT_EQ(core::RunInstaller(arguments, pages), row.code);
        EXPECT_TRUE(nobody.Ok()) << nobody.Error();

        const std::string log = ReadFile(row.setting == LogBlocked ? "C:\\TEMP\\torvinst.log" : "C:\\torvinst.log");
        std::vector<std::string> lines;
        for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(log.substr(at, end - at));
        ASSERT_GE(lines.size(), 4u);
        EXPECT_NE(lines.back().find("End debug session: INSTALL"), std::string::npos);
        const std::string note = "Cod de iesire " + std::to_string(row.code) + ": " + row.lastNote;
        EXPECT_NE(lines[lines.size() - 2].find(note), std::string::npos) << lines[lines.size() - 2];
        if (row.setting == LogBlocked) {
            EXPECT_NE(lines[2].find("c:\\torvinst.log nu se poate scrie"), std::string::npos) << lines[2];
        }
        if (row.setting == MachineBusy || row.setting == NoRights) {
            EXPECT_EQ(ReadFile("C:\\TEMP\\UPGRADE.ZIP"), "untouched") << "the wizard never started";
        }
    }
}

}  // namespace
