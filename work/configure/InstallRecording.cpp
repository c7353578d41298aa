#include "work/configure/InstallRecording.h"

#include <algorithm>
#include <array>
#include <string>
#include <variant>

#include "core/Log.h"
#include "core/Startup.h"
#include "journal/UpgradeJournal.h"
#include "work/configure/ConfigSteps.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "product/ProgramIdentity.h"
#include "record/Recording.h"

namespace work {

namespace {

constexpr std::array<const char*, 4> kKindNames = {"", "LOCAL", "SERVER", "CLIENT"};
constexpr char kNotWritten[] = "Nu am putut scrie fisierul ";
constexpr char kNotRead[] = "Nu am putut citi fisierul ";
constexpr char kUnreadableRecord[] = "DEZINST.OLD";
constexpr char kUninstallerNotWritten[] = "Nu am putut copia programul de dezinstalare in ";

// Writes `path` whole; with a journal, the file and its temporary are noted first, and a
// file there before is kept aside, so that undoing the upgrade puts the old one back.
bool WriteThrough(journal::UpgradeJournal* journal, const std::string& path, const std::string& content) {
    const std::string temporary = record::TemporaryOf(path);
    if (journal) {
        const bool noted = plat::Current().FileExists(path) ? journal->Keep(path) : journal->WillCreate(path);
        if (!noted || !journal->WillCreate(temporary)) return false;
    }
    return plat::ReplaceWholeFile(path, temporary, content);
}

// A record that cannot be read is not written over: a person may still read it.
void SetAside(journal::UpgradeJournal* journal, const std::string& recordPath, const std::string& aside,
              const std::string& problem) {
    const std::optional<std::string> text = plat::ReadWholeFile(recordPath);
    const bool kept = text && WriteThrough(journal, aside, *text);
    core::LogNote(problem + (kept ? "; l-am pastrat ca " + aside : "; nu l-am putut pastra"));
}

// This program, as the uninstaller of the folder.
bool PutUninstaller(journal::UpgradeJournal* journal, const std::string& target) {
    const std::string running = plat::Current().ModuleFileName();
    if (record::SamePath(running, target)) return true;
    const std::optional<std::string> program = plat::ReadWholeFile(running);
    return program && WriteThrough(journal, target, *program);
}

// What the installation put in its program folder, in KB rounded up: the files the record
// lists there, and the uninstaller.
uint32_t InstalledKilobytes(const record::InstallRecord& installation, const std::string& uninstaller) {
    uint64_t bytes = 0;
    for (const record::RecordedFile& file : installation.product.files)
        if (record::Within(file.path, installation.programDir)) bytes += file.size;
    if (auto program = plat::Current().Open(uninstaller, plat::OpenMode::Read)) bytes += uint64_t(program->Size());
    return uint32_t(std::min<uint64_t>((bytes + 1023) / 1024, UINT32_MAX));
}

// The entry in the system's list of programs: what Windows shows of the product, and the
// command that removes it. The product has no parts to add later and nothing to repair, so
// Windows offers neither.
void ListProgram(record::InstallRecord& installation, const std::string& uninstaller) {
    auto& platform = plat::Current();
    const std::pair<const char*, std::variant<std::string, uint32_t>> values[] = {
        {"DisplayName", product::kProductName},
        {"DisplayVersion", product::kVersionText},
        {"DisplayIcon", uninstaller + ",0"},
        {"UninstallString", "\"" + uninstaller + "\" " + core::kUninstallSwitch},
        {"InstallLocation", installation.programDir},
        {"Publisher", product::kMaker},
        {"EstimatedSize", InstalledKilobytes(installation, uninstaller)},
        {"NoModify", 1u},
        {"NoRepair", 1u},
    };
    for (const auto& [name, data] : values) {
        record::NoteRegistryValue(installation.product, kProgramListKey, name);
        const bool written = std::holds_alternative<uint32_t>(data)
                                 ? platform.RegistryWriteDword(kProgramListKey, name, std::get<uint32_t>(data))
                                 : platform.RegistryWriteString(kProgramListKey, name, std::get<std::string>(data));
        if (!written) core::LogNote(std::string("Nu pot scrie ") + kProgramListKey + " " + name);
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
// False, naming it, when a file is there and cannot be read.
bool Measure(std::vector<record::RecordedFile>& files, std::string* unreadable) {
    std::vector<record::RecordedFile> measured;
    for (const record::RecordedFile& file : files) {
        if (auto facts = record::MeasureFile(file.path)) {
            measured.push_back({file.path, facts->size, facts->crc});
        } else if (plat::Current().FileExists(file.path)) {
            *unreadable = file.path;
            return false;
        }
    }
    files = std::move(measured);
    return true;
}

// A folder as the record names it: without a final backslash, but a drive's root with one.
std::string FolderName(const std::string& folder) {
    const std::string bare = plat::ExcludeTrailingBackslash(folder);
    return bare.size() == 2 && bare[1] == ':' ? bare + "\\" : bare;
}

}  // namespace

bool RecordThisRun(const ConfigOrder& order, Reports& reports, journal::UpgradeJournal* journal) {
    const std::string programDir = FolderName(order.programDir);
    const std::string recordPath = plat::JoinPath(programDir, record::RecordFileName);
    const std::string uninstaller = plat::JoinPath(programDir, record::UninstallProgram);

    record::InstallRecord kept;
    if (plat::Current().FileExists(recordPath)) {
        record::RecordReading reading = record::ReadRecordFile(recordPath);
        if (reading.problem.empty())
            kept = std::move(reading.record);
        else
            SetAside(journal, recordPath, plat::JoinPath(programDir, kUnreadableRecord), reading.problem);
    }
    record::InstallRecord& run = record::ThisRun();
    run.kind = kKindNames[order.installType < kKindNames.size() ? order.installType : 0];
    run.programDir = programDir;
    run.dataDir = FolderName(order.dataDir);
    std::string unreadable;
    if (!Measure(run.product.files, &unreadable) || !Measure(run.engine.files, &unreadable)) {
        ReportError(reports, kNotRead + unreadable);
        return false;
    }
    for (const std::string& folder : record::FoldersBelow(programDir, run.product.files))
        record::NoteFolder(run.product, folder);
    // Without its uninstaller the product is not listed; the installation itself stands,
    // and the record still tells a person what it made.
    const bool uninstallerPut = PutUninstaller(journal, uninstaller);
    if (!uninstallerPut) {
        // An upgrade leaves the installation whole, its uninstaller included, or not at all.
        if (journal) {
            ReportError(reports, kUninstallerNotWritten + programDir);
            return false;
        }
        core::LogNote(kUninstallerNotWritten + programDir);
    }
    NoteSetupKey(run.product);
    record::Merge(kept, run);
    // In the order of their names, whatever order the archives and retries brought them in.
    for (auto* files : {&kept.product.files, &kept.engine.files})
        std::sort(files->begin(), files->end(),
                  [](const record::RecordedFile& a, const record::RecordedFile& b) { return a.path < b.path; });
    // Listed once the record is whole: the entry gives the size of all it holds.
    if (uninstallerPut) ListProgram(kept, uninstaller);
    // Noted once: another visit of the configuration page notes its own raises afresh.
    record::ForgetThisRun();
    if (WriteThrough(journal, recordPath, record::FormatRecord(kept))) return true;
    ReportError(reports, kNotWritten + recordPath);
    return false;
}

}  // namespace work
