#include "pages/uninstall/UninstallRun.h"

#include <algorithm>
#include <memory>

#include "answers/ExitCodes.h"
#include "answers/RunSwitches.h"
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

}  // namespace

int RunUninstall(const std::vector<std::string>& arguments) {
    const bool automatic = std::find(arguments.begin(), arguments.end(), answers::AutoSwitch) != arguments.end();
    const bool logAsked = std::find(arguments.begin(), arguments.end(), "-log") != arguments.end();
    if (automatic) {
        core::OpenLogNobodyWatches("DEZINST");
    } else {
        core::LogEnabled = core::LogEnabled || logAsked;
        core::LogOpen(core::LogFileName, "DEZINST");
    }
    UninstallPilot pilot;
    ui::PilotScope inUse(automatic ? &pilot : nullptr);

    const std::string recordPath = RecordPath();
    const record::RecordReading reading = record::ReadRecordFile(recordPath);
    answers::Outcome outcome = answers::Outcome::NoInstallation;
    if (!reading.problem.empty()) {
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
