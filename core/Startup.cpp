#include "core/Startup.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "answers/Answers.h"
#include "answers/ExitCodes.h"
#include "answers/RunSwitches.h"
#include "core/AdministratorRights.h"
#include "core/Backdrop.h"
#include "core/EngineHooks.h"
#include "core/InstallState.h"
#include "core/Log.h"
#include "core/LogBoxes.h"
#include "core/MarkerDrives.h"
#include "core/RunPilot.h"
#include "core/Shutdown.h"
#include "core/UpgradeRecovery.h"
#include "core/Wizard.h"
#include "core/WorkFolder.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/InstallRecord.h"
#include "ui/Application.h"
#include "ui/ErrorNote.h"
#include "ui/MessageBox.h"
#include "ui/Pilot.h"

namespace core {

namespace {

constexpr int kShowNormal = 5;  // SW_SHOW
constexpr char kAnswersNotWritten[] = "Nu am putut scrie fisierul de raspunsuri";
constexpr char kLogInTemp[] = "torvinst.log";
constexpr char kWaitingForHeldFile[] = "Astept fisierul tinut deschis de alt program: ";

// One installation at a time on a machine. A media instance holds kMediaClaim while it
// prepares and starts its copy (an unattended one while it waits for it); a working copy
// holds kWizardClaim for its whole run. A media instance claims kWizardClaim only for a
// moment, to learn whether a working copy runs, so a working copy waits that long.
constexpr char kMediaClaim[] = "WinTORVEX-Setup";
constexpr char kWizardClaim[] = "WinTORVEX-Setup-Wizard";
constexpr uint32_t kWizardClaimWaitMs = 5000;
constexpr char kAnotherRunningTitle[] = "Instalare in curs";
constexpr char kAnotherRunning[] =
    "Programul de instalare WinTORVEX ruleaza deja pe acest calculator.\r"
    "Asteptati sa se termine, apoi porniti-l din nou.";

void ReportFatal(const std::string& text) {
    ui::ShowMessageBox(text, "", ui::mtError, ui::taCenter, ui::Buttons({ui::mbCancel}), ui::mbCancel, 0);
}

}  // namespace

bool LogRequested(const std::vector<std::string>& arguments) {
    return arguments.size() >= 2 && arguments[0] == answers::LogSwitch;
}

std::string GetWorkCopyDir() {
    auto& platform = plat::Current();
    std::string folder = platform.Environment("TEMP").value_or("");
    if (folder.empty()) folder = platform.WindowsDirectory();
    return plat::IncludeTrailingBackslash(folder);
}

std::optional<std::string> ReadMarker(const std::string& markerPath) {
    auto file = plat::Current().Open(markerPath, plat::OpenMode::Read);
    if (!file) return std::nullopt;
    std::string line;
    char chunk[512];
    for (;;) {
        int64_t got = file->Read(chunk, sizeof chunk);
        if (got < 0) return std::nullopt;
        for (int64_t i = 0; i < got; ++i) {
            if (chunk[i] == '\r' || chunk[i] == '\n') return line;
            line += chunk[i];
        }
        if (got < static_cast<int64_t>(sizeof chunk)) return line;
    }
}

bool CopySetFile(const std::string& source, const std::string& target, std::vector<char>& buffer,
                 std::string* failure) {
    auto& platform = plat::Current();
    auto in = platform.Open(source, plat::OpenMode::Read);
    if (!in) {
        *failure = "Nu gasesc fisierul\r" + source;
        return false;
    }
    auto out = platform.Open(target, plat::OpenMode::Create);
    if (!out) {
        *failure = "Nu pot crea fisierul\r" + target;
        return false;
    }
    const auto chunk = static_cast<int64_t>(buffer.size());
    for (;;) {
        int64_t got = in->Read(buffer.data(), chunk);
        if (got < 0) {
            *failure = "Eroare la citirea fisierului\r" + source;
            break;
        }
        if (got > 0 && out->Write(buffer.data(), got) != got) {
            *failure = "Eroare la scrierea fisierului\r" + target + "\r(disc plin sau fara drept de scriere)";
            break;
        }
        if (got < chunk) return true;
    }
    out.reset();
    platform.RemoveFile(target);
    return false;
}

bool PrepareWorkingCopy(const std::string& installerDir, const std::string& workCopyDir, std::string* failure) {
    std::vector<char> buffer(CopyBufferSize);
    for (const InstallerSetFile& file : InstallerSet) {
        if (!CopySetFile(installerDir + file.onMedia, workCopyDir + file.inWorkFolder, buffer, failure))
            return false;
    }
    std::string marker = workCopyDir + MarkerFileName;
    auto out = plat::Current().Open(marker, plat::OpenMode::Create);
    std::string line = installerDir + "\r\n" + NetworkDriveLines(plat::Current().MappedNetworkDrives());
    if (!out || out->Write(line.data(), static_cast<int64_t>(line.size())) != static_cast<int64_t>(line.size())) {
        out.reset();
        plat::Current().RemoveFile(marker);
        *failure = "Nu pot scrie fisierul\r" + marker;
        return false;
    }
    return true;
}

std::string WorkCopyParameters(bool logEnabled, const std::string& switches) {
    const std::string parameters = (logEnabled ? " -log -log -log -log" : "") + switches;
    return parameters.empty() ? parameters : parameters.substr(1);
}

void OpenLogNobodyWatches(const std::string& sessionName) {
    SetLogFailureHandler(nullptr);
    LogEnabled = true;
    LogOpen(LogFileName, sessionName);
    if (LogEnabled) return;
    LogEnabled = true;
    LogOpen(GetWorkCopyDir() + kLogInTemp, sessionName);
    LogNote(std::string(LogFileName) +
            " nu se poate scrie (protejat la scriere, deschis de alt program sau fara drepturi): jurnalul este aici");
}

namespace {

// Ends the media instance's part: the exit code of its own outcome, or, in an
// unattended run, the one its working copy ended with. The copy is started with
// administrator rights (the system asks the person), in a folder of its own.
int RunMediaInstance(const answers::RunSwitches& switches) {
    std::string failure;
    const std::optional<std::string> workCopyDir = MakeWorkFolder(GetWorkCopyDir(), &failure);
    if (!workCopyDir || !PrepareWorkingCopy(plat::ProgramFolder(), *workCopyDir, &failure)) {
        if (workCopyDir) RemoveWorkFolder(*workCopyDir);
        LogNote(failure);
        ReportFatal(failure);
        LogNote(answers::ExitCodeNote(answers::Outcome::CopyFailed));
        return answers::ExitCodeOf(answers::Outcome::CopyFailed);
    }
    const std::string program = *workCopyDir + WorkCopyProgram;
    const std::string parameters = WorkCopyParameters(LogEnabled, answers::SwitchesForCommandLine(switches));
    // A caller that waits on this program learns the outcome of the copy's run.
    const plat::ElevatedRun run =
        plat::Current().StartElevated(program, parameters, kShowNormal, switches.Unattended());
    answers::Outcome outcome = answers::Outcome::Installed;
    if (run.start == plat::ElevatedStart::Refused) {
        outcome = answers::Outcome::ElevationRefused;
        TellRightsRefused(RightsFor::Installation);
    } else if (run.start == plat::ElevatedStart::Failed) {
        // Noted only, as a copy that could not start always was.
        LogNote("Nu am putut porni " + program);
        outcome = answers::Outcome::CopyFailed;
    } else if (switches.Unattended()) {
        LogNote("Cod de iesire " + std::to_string(run.exitCode) + " al copiei de lucru");
    }
    // The copy removes its folder as it ends; what a copy that never ran, or one that was
    // stopped, left goes here, where this program knows it ended.
    if (run.start != plat::ElevatedStart::Started || switches.Unattended()) RemoveWorkFolder(*workCopyDir);
    if (run.start == plat::ElevatedStart::Started) return switches.Unattended() ? int(run.exitCode) : 0;
    LogNote(answers::ExitCodeNote(outcome));
    return answers::ExitCodeOf(outcome);
}

// After the wizard. A run that installed or upgraded stays a success when its answers
// cannot be recorded: that is told, and changes nothing of the outcome.
answers::Outcome RunWorkingCopy(const PageTableType& pages, RunPilot& pilot, const answers::RunSwitches& switches) {
    auto backdrop = std::make_unique<TInstaller>();
    ui::SetMainForm(backdrop.get());
    backdrop->Show();
    try {
        if (!RunWizard(pages)) pilot.Fail(answers::Outcome::NoUpgradeLibrary);
    } catch (const std::exception& failure) {
        LogNote(std::string("Eroare: ") + failure.what());
        pilot.Fail(answers::Outcome::ProgramFault);
        ReportFatal(failure.what());
    }
    if (!pilot.WizardEnded()) {
        const std::string text = kAnswersNotWritten + ("\r" + switches.recordFile);
        LogNote(kAnswersNotWritten + (": " + switches.recordFile));
        ui::ShowMessageBox(text, "", ui::mtWarning, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
    }
    ui::SetMainForm(nullptr);
    backdrop.reset();
    ReleaseOutsideComponents();
    return pilot.Outcome();
}

// This program's claim to the machine for its role; null when another installation runs.
// (A working copy just started may not have claimed its name yet: a second media instance
// then goes on, in a folder of its own, and of the two copies the later one to claim
// says that the other runs.)
std::unique_ptr<plat::System::Claim> ClaimTheMachine(bool workingCopy) {
    auto& platform = plat::Current();
    if (workingCopy) return platform.ClaimName(kWizardClaim, kWizardClaimWaitMs);
    auto claim = platform.ClaimName(kMediaClaim, 0);
    if (!claim || !platform.ClaimName(kWizardClaim, 0)) return nullptr;
    return claim;
}

// The answers of an unattended run, or the problem that ends it before anything is done.
std::optional<answers::AnswersProblem> ReadGivenAnswers(const answers::RunSwitches& switches,
                                                        answers::Answers* given) {
    if (!switches.problem.empty()) return answers::AnswersProblem{{}, 0, {}, switches.problem};
    if (!switches.Unattended()) return std::nullopt;
    answers::AnswersReading reading = answers::ReadAnswersFile(switches.autoFile);
    *given = reading.answers;
    return reading.problem;
}

// Asked for on the command line, or this program started under the uninstaller's name.
bool UninstallAsked(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), kUninstallSwitch) != arguments.end() ||
           plat::EqualsIgnoreCase(plat::ExtractFileName(plat::Current().ModuleFileName()), record::UninstallProgram);
}

}  // namespace

void PrepareProcess() {
    plat::Current().SilenceDriveErrorBoxes();
    InitLogEnabled();
}

int RunInstaller(const std::vector<std::string>& arguments, const PageTableType& pages, UninstallEntry uninstall) {
    ConnectArchiveEngineToInterface();
    ShowLogFailuresInBoxes();
    ui::SetErrorNote(LogNote);
    plat::Current().WatchHeldFiles([](const std::string& path) { LogNote(kWaitingForHeldFile + path); });
    if (uninstall && UninstallAsked(arguments)) return uninstall(arguments);
    const std::string programFolder = plat::ExcludeTrailingBackslash(plat::ProgramFolder());
    const std::string markerPath = programFolder + "\\" + MarkerFileName;
    const auto marker = ReadMarker(markerPath);
    // Before any file is read: the answers file, too, may lie on the person's drive.
    if (marker)
        plat::Current().ReachLettersThrough(ReadNetworkDriveLines(plat::ReadWholeFile(markerPath).value_or("")));
    // A working copy leaves nothing in the temporary folder, however its run ends.
    struct WorkFolderRemoval {
        std::string folder;
        ~WorkFolderRemoval() {
            if (!folder.empty()) RemoveWorkFolder(folder);
        }
    } removal{marker ? programFolder : std::string()};

    const answers::RunSwitches switches = answers::ParseRunSwitches(arguments, plat::Current().CurrentDirectory());
    if (switches.Unattended()) {
        OpenLogNobodyWatches("INSTALL");
    } else {
        LogEnabled = LogEnabled || LogRequested(arguments);
        LogOpen(LogFileName, "INSTALL");
    }
    answers::Answers given;
    if (auto problem = ReadGivenAnswers(switches, &given)) {
        // Nothing is written before the answers are known to be right.
        LogNote(problem->Describe());
        LogNote(answers::ExitCodeNote(answers::Outcome::AnswersWrong));
        return answers::ExitCodeOf(answers::Outcome::AnswersWrong);
    }
    RunPilot pilot(switches, given);
    ui::PilotScope inUse(&pilot);

    const auto claim = ClaimTheMachine(marker.has_value());
    if (!claim) {
        // Told, and nothing touched: the run that holds the machine goes on undisturbed.
        LogNote(kAnotherRunningTitle);
        ui::ShowMessageBox(kAnotherRunning, kAnotherRunningTitle, ui::mtWarning, ui::taCenter,
                           ui::Buttons({ui::mbOK}), ui::mbOK, 0);
        LogNote(answers::ExitCodeNote(answers::Outcome::AnotherRunning));
        LogClose();
        return answers::ExitCodeOf(answers::Outcome::AnotherRunning);
    }
    if (!marker) {
        State().SourceDir = programFolder;
        return RunMediaInstance(switches);  // its part of the log has no end line: the copy goes on
    }
    answers::Outcome outcome = answers::Outcome::NoAdministratorRights;
    if (CheckAdministratorRights(RightsFor::Installation)) {
        // Only here, so that an interrupted upgrade is mended, and told, once per run.
        RecoverInterruptedUpgrade();
        State().SourceDir = *marker;
        outcome = RunWorkingCopy(pages, pilot, switches);
    }
    // Its notes go to the log before the run's last ones.
    RemoveWorkFolder(std::exchange(removal.folder, std::string()));
    LogNote(answers::ExitCodeNote(outcome));
    LogClose();
    return answers::ExitCodeOf(outcome);
}

}  // namespace core
