#include "pages/uninstall/UninstallRun.h"

#include <algorithm>
#include <memory>

#include "answers/ExitCodes.h"
#include "answers/RunSwitches.h"
#include "core/AdministratorRights.h"
#include "core/Backdrop.h"
#include "core/Log.h"
#include "core/Shutdown.h"
#include "core/Startup.h"
#include "pages/uninstall/UninstallPage.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/InstallRecord.h"
#include "ui/Application.h"
#include "ui/Pilot.h"
#include "work/configure/InstallRecording.h"

namespace pages {

namespace {

// The value of the list entry that names the program folder.
constexpr char kListedFolder[] = "InstallLocation";
constexpr char kStartsBesideRecord[] =
    "\rDezinstalarea porneste din folderul programului: DEZINST.EXE -uninstall";
// Added to the arguments of the run started again with administrator rights: that run
// never starts another (on a system that gives no rights, it says so instead).
constexpr char kRightsAskedSwitch[] = "-elevated";
constexpr int kShowNormal = 5;  // SW_SHOW

// Who answers for the person in an uninstall without questions: Continue, yes, and out.
class UninstallPilot : public ui::Pilot {
public:
    bool DrivesForms() const override { return true; }
    void FormShown(ui::TForm& form) override {
        auto* page = dynamic_cast<TUninstall*>(&form);
        if (!page) return;
        ui::PressAsPerson(*page->BNext);
        if (!page->Done()) page->ModalResult = ui::mrCancel;
        else ui::PressAsPerson(*page->BExit);
    }
    std::optional<uint16_t> AnswerMessage(const ui::MessageRequest& request) override {
        if (request.purpose == ui::MessagePurpose::Question) return uint16_t(ui::mrYes);
        core::LogNote(request.text);
        return uint16_t(ui::mrOk);
    }
};

// The record beside this program (DEZINST.EXE in the program folder); when there is none
// there (INSTALL.EXE on the media), the one in the program folder that the system's list
// of programs names.
std::string RecordPath() {
    auto& platform = plat::Current();
    const std::string beside =
        plat::JoinPath(plat::ExcludeTrailingBackslash(plat::ProgramFolder()), record::RecordFileName);
    if (platform.FileExists(beside)) return beside;
    const auto listed = platform.RegistryReadString(work::kProgramListKey, kListedFolder);
    if (!listed || listed->empty()) return beside;
    return plat::JoinPath(*listed, record::RecordFileName);
}

answers::Outcome Uninstall(const record::InstallRecord& kept, const std::string& recordPath) {
    work::UninstallWork work(kept, recordPath);
    auto backdrop = std::make_unique<core::TInstaller>();
    ui::SetMainForm(backdrop.get());
    backdrop->Show();
    TUninstall page(work);
    page.ShowModal();
    ui::SetMainForm(nullptr);
    backdrop.reset();
    if (!page.Done()) return answers::Outcome::Abandoned;
    for (const std::string& line : work::OutcomeLines(work.Outcome())) core::LogNote(line);
    // Files kept by the rules (changed since, or not the installation's) are listed, and
    // are no failure: the uninstall removed all it meant to.
    return work.Outcome().failures.empty() ? answers::Outcome::Uninstalled
                                           : answers::Outcome::UninstallLeftSomething;
}

bool Has(const std::vector<std::string>& arguments, const char* argument) {
    return std::find(arguments.begin(), arguments.end(), argument) != arguments.end();
}

// The uninstaller started without administrator rights (Settings, Apps starts it so) runs
// again with them, with its own arguments, and ends with that run's exit code. The
// program folder, which that run removes, is made nobody's current folder first.
int RunAgainWithRights(const std::vector<std::string>& arguments) {
    auto& platform = plat::Current();
    platform.ChangeDirectory(platform.WindowsDirectory());
    std::string parameters;
    for (const std::string& argument : arguments) parameters += plat::QuotedIfBlank(argument) + " ";
    parameters += kRightsAskedSwitch;
    const plat::ElevatedRun run = platform.StartElevated(platform.ModuleFileName(), parameters, kShowNormal, true);
    answers::Outcome outcome = answers::Outcome::NoAdministratorRights;
    switch (run.start) {
        case plat::ElevatedStart::Started:
            core::LogNote("Cod de iesire " + std::to_string(run.exitCode) +
                          " al dezinstalarii cu drepturi de administrator");
            core::LogClose();
            return int(run.exitCode);
        case plat::ElevatedStart::Refused:
            outcome = answers::Outcome::ElevationRefused;
            core::TellRightsRefused(core::RightsFor::Uninstall);
            break;
        case plat::ElevatedStart::Failed:
            core::CheckAdministratorRights(core::RightsFor::Uninstall);
            break;
    }
    core::LogNote(answers::ExitCodeNote(outcome));
    core::LogClose();
    return answers::ExitCodeOf(outcome);
}

}  // namespace

int RunUninstall(const std::vector<std::string>& arguments) {
    const bool automatic = Has(arguments, answers::AutoSwitch);
    const bool logAsked = Has(arguments, answers::LogSwitch);
    if (automatic) {
        core::OpenLogNobodyWatches("DEZINST");
    } else {
        core::LogEnabled = core::LogEnabled || logAsked;
        core::LogOpen(core::LogFileName, "DEZINST");
    }
    UninstallPilot pilot;
    ui::PilotScope inUse(automatic ? &pilot : nullptr);
    if (!plat::Current().HasAdministratorRights() && !Has(arguments, kRightsAskedSwitch))
        return RunAgainWithRights(arguments);

    const std::string recordPath = RecordPath();
    const record::RecordReading reading = record::ReadRecordFile(recordPath);
    answers::Outcome outcome = answers::Outcome::NoInstallation;
    if (!core::CheckAdministratorRights(core::RightsFor::Uninstall)) {
        outcome = answers::Outcome::NoAdministratorRights;
    } else if (!reading.problem.empty()) {
        core::LogNote(reading.problem);
        ui::ShowMessageBox("Nu pot dezinstala: lipseste evidenta instalarii\r" + reading.problem + kStartsBesideRecord,
                           kUninstallTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
    } else {
        outcome = Uninstall(reading.record, recordPath);
    }
    core::ReleaseOutsideComponents();
    core::LogNote(answers::ExitCodeNote(outcome));
    core::LogClose();
    return answers::ExitCodeOf(outcome);
}

}  // namespace pages
