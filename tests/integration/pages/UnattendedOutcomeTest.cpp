// How an unattended run ends, taken whole through the working copy's start: the failure of
// each page, the boxes, the record, the program's own fault, the upgrade library, another
// run on the machine and a run log that cannot be written. Each ends with its exit code
// and the log's last note says which. The scripted user has no answer for any box, so a
// box that waited for a person would end the test.
#include <gtest/gtest.h>

#include <stdexcept>

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

// What the page of this number does on Continue; every other page goes on.
int actingPage = -1;
Act act = Act::GoesOn;

template <int PageNo>
class ActingPage : public pages::TWizardPage {
public:
    ActingPage() : TWizardPage("Acting" + std::to_string(PageNo), PageNo, "acting") {
        AddStandardButton({pages::PageButton::Next, ui::Bounds(0, 0, 60, 40)});
        AddStandardButton({pages::PageButton::Cancel, ui::Bounds(60, 0, 60, 40)});
        BNext->OnClick = [this] { Continue(); };
    }

private:
    void Continue() {
        switch (PageNo == actingPage ? act : Act::GoesOn) {
            case Act::GoesOn: ModalResult = ui::mrOk; return;
            case Act::Fails:
                ui::ShowMessageBox("a failure", "", ui::mtError, ui::taCenter, ui::Buttons({ui::mbCancel}),
                                   ui::mbCancel, 0);
                return;
            case Act::AsksForDisk: {
                ui::MessagePurposeScope disk(ui::MessagePurpose::MediaRequest);
                if (ui::ShowMessageBox("Introduceti discheta 2", "", ui::mtWarning, ui::taCenter,
                                       ui::Buttons({ui::mbOK, ui::mbCancel}), ui::mbOK, 0) == ui::mrCancel)
                    ModalResult = ui::mrCancel;
                return;
            }
            case Act::Reports:
                ui::ShowMessageBox("a report", "", ui::mtWarning, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
                ModalResult = ui::mrOk;
                return;
            case Act::Throws: throw std::runtime_error("a fault of the program");
        }
    }
};

template <int PageNo>
std::unique_ptr<ui::TForm> MakeActingPage() {
    return std::make_unique<ActingPage<PageNo>>();
}

// The product's page table (each page's outcome of a failure) with acting pages.
const core::PageTableType& ActingPages() {
    static const core::PageTableType table = [] {
        core::PageTableType pages = pages::PageTable();
        const core::PageFactory acting[] = {MakeActingPage<0>, MakeActingPage<1>, MakeActingPage<2>,
                                            MakeActingPage<3>, MakeActingPage<4>, nullptr,
                                            MakeActingPage<6>, MakeActingPage<7>, MakeActingPage<8>};
        for (size_t n = 0; n < std::size(acting); ++n) pages[n].create = acting[n];
        return pages;
    }();
    return table;
}

class UnattendedOutcomeTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        core::ResetState();
        core::LogEnabled = false;
        ui::MessageHeading.clear();
        Machine().SetEnvironment("TEMP", "C:\\TEMP");
        MakeFolders("C:\\TEMP");
        MakeFolders("C:\\MEDIA");
        WriteFile("C:\\TEMP\\INSTTORV.DAT", "C:\\MEDIA\\\r\n");
        Machine().SetModuleFileName("C:\\TEMP\\INSTTORV.EXE");
        WriteFile("C:\\a.ini", "[Instalare]\r\nTip=LOCAL\r\nProgram=C:\\WinTorv\r\n"
                               "[Actualizare]\r\nStructuri=1\r\nListe=1\r\nConstante=1\r\n");
    }
    void TearDown() override {
        ShutdownBDE();
        UnloadUpgradeDll();
        unsetenv("UPGRADE_ALIAS_FILE");
        core::LogEnabled = false;
        actingPage = -1;
        VirtualMachineTest::TearDown();
    }
    // An installation to upgrade: the engine knows the alias TORVEX.
    void MakeAnInstallation(bool withUpgradeLibrary) {
        MakeFolders("C:\\BDE");
        MakeFolders("C:\\WinTorv\\DATA");
        testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, "C:\\BDE\\IDAPI32.DLL");
        Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
        WriteFile("C:\\BDE\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");
        setenv("UPGRADE_ALIAS_FILE", Machine().HostPath("C:\\BDE\\IDAPI32.CFG").c_str(), 1);
        if (withUpgradeLibrary) testing_support::InstallStandin(Machine(), UPGRADE_STANDIN, "C:\\TEMP\\UPGRADE.DLL");
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST_F(UnattendedOutcomeTest, EachFailureEndsTheRunWithItsCodeAndTheLogSaysIt) {
    enum Setting { Fresh, Upgrade, NoUpgradeLibrary, MachineBusy, LogBlocked, RecordBlocked };
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
        {"c:\\torvinst.log cannot be written", LogBlocked, -1, Act::GoesOn, 0, "instalat sau actualizat"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        SetUp();
        actingPage = row.page;
        act = row.act;
        std::vector<std::string> arguments = {"-log", "-log", "-log", "-log", "-auto", "C:\\a.ini"};
        if (row.setting == Upgrade || row.setting == NoUpgradeLibrary) MakeAnInstallation(row.setting == Upgrade);
        if (row.setting == MachineBusy) {
            Machine().HoldName("WinTORVEX-Setup-Wizard");
            WriteFile("C:\\TEMP\\UPGRADE.ZIP", "the other run's");
        }
        if (row.setting == LogBlocked) Machine().FailOpen("C:\\torvinst.log");
        if (row.setting == RecordBlocked) arguments.insert(arguments.end(), {"-record", "C:\\Nicaieri\\r.ini"});

        ui::headless::Script nobody;
        EXPECT_EQ(core::RunInstaller(arguments, ActingPages()), row.code);
        EXPECT_TRUE(nobody.Ok()) << nobody.Error();

        const std::string logPath = row.setting == LogBlocked ? "C:\\TEMP\\torvinst.log" : "C:\\torvinst.log";
        const std::vector<std::string> lines = Lines(ReadFile(logPath));
        ASSERT_GE(lines.size(), 4u);
        EXPECT_NE(lines.back().find("End debug session: INSTALL"), std::string::npos);
        const std::string note = "Cod de iesire " + std::to_string(row.code) + ": " + row.lastNote;
        EXPECT_NE(lines[lines.size() - 2].find(note), std::string::npos) << lines[lines.size() - 2];
        if (row.setting == LogBlocked) {
            EXPECT_NE(lines[2].find("c:\\torvinst.log nu se poate scrie"), std::string::npos) << lines[2];
        }
        if (row.setting == MachineBusy) {
            EXPECT_EQ(ReadFile("C:\\TEMP\\UPGRADE.ZIP"), "the other run's") << "the other run's files untouched";
        }
    }
}

}  // namespace
