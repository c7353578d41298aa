#include "core/Startup.h"

#include <algorithm>
#include <exception>

#include "answers/Answers.h"
#include "answers/ExitCodes.h"
#include "answers/RunSwitches.h"
#include "core/Backdrop.h"
#include "core/EngineHooks.h"
#include "core/InstallState.h"
#include "core/Log.h"
#include "core/LogBoxes.h"
#include "core/RunPilot.h"
#include "core/Shutdown.h"
#include "core/UpgradeRecovery.h"
#include "core/Wizard.h"
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

void ReportFatal(const std::string& text) {
    ui::ShowMessageBox(text, "", ui::mtError, ui::taCenter, ui::Buttons({ui::mbCancel}), ui::mbCancel, 0);
}

}  // namespace

bool LogRequested(const std::vector<std::string>& arguments) {
    return arguments.size() >= 2 && arguments[0] == "-log";
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
    std::string line = installerDir + "\r\n";
    if (!out || out->Write(line.data(), static_cast<int64_t>(line.size())) != static_cast<int64_t>(line.size())) {
        out.reset();
        plat::Current().RemoveFile(marker);
        *failure = "Nu pot scrie fisierul\r" + marker;
        return false;
    }
    return true;
}

std::string WorkCopyCommandLine(const std::string& workCopyDir, bool logEnabled) {
    return plat::QuotedIfBlank(workCopyDir + WorkCopyProgram) + (logEnabled ? " -log -log -log -log" : "");
}

namespace {

int RunMediaInstance(const answers::RunSwitches& switches) {
    std::string installerDir = plat::ProgramFolder();
    std::string workCopyDir = GetWorkCopyDir();
    std::string failure;
    if (!PrepareWorkingCopy(installerDir, workCopyDir, &failure)) {
        LogNote(failure);
        ReportFatal(failure);
        return answers::ExitCopyFailed;
    }
    const std::string command =
        WorkCopyCommandLine(workCopyDir, LogEnabled) + answers::SwitchesForCommandLine(switches);
    if (!switches.Unattended()) {
        // Whether the copy started is not examined: there is nobody left to tell.
        plat::Current().StartProgram(command, kShowNormal);
        return answers::ExitDone;
    }
    // A caller that waits on this program learns the outcome of the copy's run.
    const int64_t code = plat::Current().RunAndWait(command, kShowNormal);
    if (code < 0) LogNote("Nu am putut porni " + command);
    return code < 0 ? int(answers::ExitCopyFailed) : int(code);
}

int RunWorkingCopy(const PageTableType& pages, RunPilot& pilot, const answers::RunSwitches& switches) {
    auto backdrop = std::make_unique<TInstaller>();
    ui::SetMainForm(backdrop.get());
    backdrop->Show();
    try {
        RunWizard(pages);
    } catch (const std::exception& failure) {
        LogNote(std::string("Eroare: ") + failure.what());
        ReportFatal(failure.what());
        pilot.Fail(answers::ExitCopyFailed);
    }
    if (!pilot.WizardEnded()) {
        const std::string text = kAnswersNotWritten + ("\r" + switches.recordFile);
        LogNote(text);
        ReportFatal(text);
    }
    ui::SetMainForm(nullptr);
    backdrop.reset();
    ReleaseOutsideComponents();
    return pilot.ExitCode();
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

int RunInstaller(const std::vector<std::string>& arguments, const PageTableType& pages, UninstallEntry uninstall) {
    ConnectArchiveEngineToInterface();
    ShowLogFailuresInBoxes();
    ui::SetErrorNote(LogNote);
    if (uninstall && UninstallAsked(arguments)) return uninstall(arguments);
    const answers::RunSwitches switches = answers::ParseRunSwitches(arguments, plat::Current().CurrentDirectory());
    LogEnabled = LogEnabled || LogRequested(arguments) || switches.Unattended();
    LogOpen(LogFileName, "INSTALL");
    answers::Answers given;
    if (auto problem = ReadGivenAnswers(switches, &given)) {
        // Nothing is written before the answers are known to be right.
        LogNote(problem->Describe());
        LogNote(answers::ExitCodeNote(answers::ExitBadAnswers));
        return answers::ExitBadAnswers;
    }
    RunPilot pilot(switches, given, pages);
    ui::PilotScope inUse(&pilot);
    RecoverInterruptedUpgrade();

    std::string programFolder = plat::ExcludeTrailingBackslash(plat::ProgramFolder());
    auto marker = ReadMarker(programFolder + "\\" + MarkerFileName);
    if (!marker) {
        State().SourceDir = programFolder;
        const int code = RunMediaInstance(switches);  // its part of the log has no end line: the copy goes on
        if (switches.Unattended()) LogNote(answers::ExitCodeNote(code));
        return code;
    }
    State().SourceDir = *marker;
    const int code = RunWorkingCopy(pages, pilot, switches);
    LogNote(answers::ExitCodeNote(code));
    LogClose();
    return code;
}

}  // namespace core
