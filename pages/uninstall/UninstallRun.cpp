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

namespace pages {

namespace {

// Something of the installation was left on the machine: a kept file or a failure.
constexpr int kExitSomethingLeft = answers::ExitCopyFailed;

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

std::string ExitNote(int code) {
    const char* meaning = code == answers::ExitDone           ? "dezinstalat"
                          : code == kExitSomethingLeft        ? "dezinstalat, dar a ramas ceva"
                          : code == answers::ExitAbandoned    ? "renuntat"
                                                              : "nu exista o instalare de sters";
    return "Cod de iesire " + std::to_string(code) + ": " + meaning;
}

int Uninstall(const record::InstallRecord& kept, const std::string& recordPath) {
    work::UninstallWork work(kept, recordPath);
    auto backdrop = std::make_unique<core::TInstaller>();
    ui::SetMainForm(backdrop.get());
    backdrop->Show();
    TUninstall page(work);
    page.ShowModal();
    ui::SetMainForm(nullptr);
    backdrop.reset();
    if (!page.Done()) return answers::ExitAbandoned;
    for (const std::string& line : work::OutcomeLines(work.Outcome())) core::LogNote(line);
    return work.Outcome().AllRemoved() ? answers::ExitDone : kExitSomethingLeft;
}

}  // namespace

int RunUninstall(const std::vector<std::string>& arguments) {
    const bool automatic = std::find(arguments.begin(), arguments.end(), answers::AutoSwitch) != arguments.end();
    const bool logAsked = std::find(arguments.begin(), arguments.end(), "-log") != arguments.end();
    core::LogEnabled = core::LogEnabled || automatic || logAsked;
    core::LogOpen(core::LogFileName, "DEZINST");
    UninstallPilot pilot;
    ui::PilotScope inUse(automatic ? &pilot : nullptr);

    const std::string programDir = plat::ExcludeTrailingBackslash(plat::ProgramFolder());
    const std::string recordPath = plat::JoinPath(programDir, record::RecordFileName);
    const record::RecordReading reading = record::ReadRecordFile(recordPath);
    int code = answers::ExitNotFound;
    if (!reading.problem.empty()) {
        core::LogNote(reading.problem);
        ui::ShowMessageBox("Nu pot dezinstala: lipseste evidenta instalarii\r" + reading.problem, kUninstallTitle,
                           ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
    } else {
        code = Uninstall(reading.record, recordPath);
    }
    core::ReleaseOutsideComponents();
    core::LogNote(ExitNote(code));
    core::LogClose();
    return code;
}

}  // namespace pages
