#include "pages/InstallRecording.h"

#include <array>
#include <string>

#include "core/InstallState.h"
#include "core/Log.h"
#include "core/Startup.h"
#include "journal/UpgradeJournal.h"
#include "pages/ConfigSteps.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"
#include "ui/MessageBox.h"

namespace pages {

namespace {

constexpr std::array<const char*, 4> kKindNames = {"", "LOCAL", "SERVER", "CLIENT"};
constexpr char kPublisher[] = "TORVEX";
constexpr char kNotWritten[] = "Nu am putut scrie fisierul ";
constexpr char kUninstallerNotWritten[] = "Nu am putut copia programul de dezinstalare in ";

void ReportFailure(const std::string& text) {
    core::LogNote(text);
    ui::ShowMessageBox(text, kErrorBoxTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
}

// This program, as the uninstaller of the folder.
bool PutUninstaller(const std::string& target) {
    auto& platform = plat::Current();
    const std::string running = platform.ModuleFileName();
    if (plat::ExcludeTrailingBackslash(running) == target) return true;
    const std::optional<std::string> program = plat::ReadWholeFile(running);
    return program && plat::ReplaceWholeFile(target, target + ".$$$", *program);
}

void ListProgram(record::Belongings& product, const std::string& programDir, const std::string& uninstaller) {
    auto& platform = plat::Current();
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", "WinTORVEX"},
        {"UninstallString", "\"" + uninstaller + "\" " + core::kUninstallSwitch},
        {"InstallLocation", programDir},
        {"Publisher", kPublisher},
    };
    for (const auto& [name, data] : values) {
        record::NoteRegistryValue(product, kProgramListKey, name);
        if (!platform.RegistryWriteString(kProgramListKey, name, data))
            core::LogNote(std::string("Nu pot scrie ") + kProgramListKey + " " + name);
    }
}

// The upgrade journal's pointer lives in the setup's own key, which only this product
// uses: it goes with the product, whatever it held.
void NoteSetupKey(record::Belongings& product) {
    if (!plat::Current().RegistryReadString(journal::kPointerKey, journal::kPointerValue)) return;
    product.values.push_back({journal::kPointerKey, journal::kPointerValue, std::nullopt});
    for (const char* key : {"Software\\WinTORVEX", journal::kPointerKey}) product.keys.emplace_back(key);
}

// Sizes and CRCs as the files are now; a file that is not there is no longer listed.
void Measure(std::vector<record::RecordedFile>& files) {
    std::vector<record::RecordedFile> measured;
    for (const record::RecordedFile& file : files)
        if (auto facts = record::MeasureFile(file.path)) measured.push_back({file.path, facts->size, facts->crc});
    files = std::move(measured);
}

}  // namespace

void RecordThisRun() {
    const core::InstallState& state = core::State();
    const std::string programDir = plat::ExcludeTrailingBackslash(state.ProgramDir);
    const std::string recordPath = plat::JoinPath(programDir, record::RecordFileName);
    const std::string uninstaller = plat::JoinPath(programDir, record::UninstallProgram);

    record::InstallRecord kept;
    if (plat::Current().FileExists(recordPath)) {
        record::RecordReading reading = record::ReadRecordFile(recordPath);
        if (reading.problem.empty())
            kept = std::move(reading.record);
        else
            core::LogNote(reading.problem);
    }
    record::InstallRecord& run = record::ThisRun();
    run.kind = kKindNames[state.InstallType < kKindNames.size() ? state.InstallType : 0];
    run.programDir = programDir;
    run.dataDir = plat::ExcludeTrailingBackslash(state.DataDir);
    Measure(run.product.files);
    Measure(run.engine.files);
    for (const std::string& folder : record::FoldersBelow(programDir, run.product.files))
        record::NoteFolder(run.product, folder);
    if (PutUninstaller(uninstaller))
        ListProgram(run.product, programDir, uninstaller);
    else
        ReportFailure(kUninstallerNotWritten + programDir);
    NoteSetupKey(run.product);
    record::Merge(kept, run);
    // Noted once: another visit of the configuration page notes its own raises afresh.
    record::ForgetThisRun();
    if (!record::WriteRecordFile(recordPath, kept)) ReportFailure(kNotWritten + recordPath);
}

}  // namespace pages
