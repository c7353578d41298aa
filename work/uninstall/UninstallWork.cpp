#include "work/uninstall/UninstallWork.h"

#include <algorithm>

#include "core/Log.h"
#include "dbengine/DatabaseEngine.h"
#include "work/configure/ConfigSteps.h"
#include "work/engine/EngineRegistry.h"
#include "work/LoggedStep.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

constexpr char kParkedName[] = "DEZINST-";
constexpr char kOnNetwork[] = " (pe un disc de retea)";
// Where the engine unpacked by an installation lies, below the Program Files folder.
constexpr char kEngineFolderBelowProgramFiles[] = "Borland";

using record::SamePath;

bool Listed(const std::vector<record::RecordedFile>& files, const std::string& path) {
    return std::any_of(files.begin(), files.end(), [&](const record::RecordedFile& f) { return SamePath(f.path, path); });
}

std::string WhyNotRemoved(const std::string& path) {
    return path + (plat::Current().FileInUse(path) ? " (in uz)" : " (nu poate fi sters)");
}

}  // namespace

UninstallWork::UninstallWork(record::InstallRecord record, std::string recordPath)
    : record_(std::move(record)), recordPath_(std::move(recordPath)) {
    left_.kind = record_.kind;
    left_.programDir = record_.programDir;
    left_.dataDir = record_.dataDir;
    for (const std::string& folder : record::DataFolders(record_))
        if (plat::Current().DirectoryExists(folder)) outcome_.data.push_back(folder);
}

void UninstallWork::Fail(const std::string& what) {
    core::LogNote("Nu am putut sterge " + what);
    outcome_.failures.push_back(what);
}

bool UninstallWork::OnNetwork(const std::string& path) const {
    if (path.size() < 3 || path[1] != ':') return true;  // a share named without a drive
    return plat::Current().DriveTypeOf(path.substr(0, 3)) == plat::DriveType::Remote;
}

void UninstallWork::RemoveFiles(const std::vector<record::RecordedFile>& files, bool checkContents,
                                const std::string& home, std::vector<record::RecordedFile>& left) {
    auto& platform = plat::Current();
    for (const record::RecordedFile& file : files) {
        if (OnNetwork(file.path)) {
            // Other machines may run it from the share: it stays, and the user hears so.
            if (platform.FileExists(file.path)) outcome_.kept.push_back(file.path + kOnNetwork);
            continue;
        }
        const bool there = platform.FileExists(file.path);
        std::optional<record::FileFacts> now;
        if (there) now = checkContents ? record::MeasureFile(file.path) : record::FileFacts{file.size, file.crc};
        if (there && !now) {
            // Held open by a running program: neither read nor removed now.
            Fail(WhyNotRemoved(file.path));
            left.push_back(file);
            continue;
        }
        switch (record::FateOf(record_, file, now, home)) {
            case record::FileFate::Remove:
                if (!platform.RemoveFile(file.path)) {
                    Fail(WhyNotRemoved(file.path));
                    left.push_back(file);
                }
                break;
            case record::FileFate::Changed: outcome_.kept.push_back(file.path + " (schimbat dupa instalare)"); break;
            case record::FileFate::Outside: outcome_.kept.push_back(file.path + " (in afara folderului " + home + ")"); break;
            case record::FileFate::Data:
            case record::FileFate::Gone: break;
        }
    }
}

void UninstallWork::RemoveFolders(const std::vector<std::string>& folders, const std::string& home,
                                  std::vector<std::string>& left) {
    auto& platform = plat::Current();
    for (const std::string& folder : record::DeepestFirst(folders)) {
        if (!record::Within(folder, home) || record::IsDataPath(record_, folder) || OnNetwork(folder) ||
            !platform.DirectoryExists(folder))
            continue;
        // A folder that still holds something kept stays with it.
        if (!platform.RemoveEmptyDirectory(folder)) left.push_back(folder);
    }
}

void UninstallWork::TakeBackValues(const std::vector<record::RecordedValue>& values,
                                   std::vector<record::RecordedValue>& left) {
    auto& platform = plat::Current();
    for (const record::RecordedValue& value : values) {
        const bool done = value.previous ? platform.RegistryWriteString(value.key, value.name, *value.previous)
                                         : platform.RegistryDeleteValue(value.key, value.name);
        if (done) continue;
        Fail("HKLM\\" + value.key + " " + value.name);
        left.push_back(value);
    }
}

void UninstallWork::RemoveKeys(const std::vector<std::string>& keys, std::vector<std::string>& left) {
    for (const std::string& key : record::DeepestFirst(keys)) {
        // A key another program has put values in stays for it.
        if (!plat::Current().RegistryDeleteEmptyKey(key)) {
            core::LogNote("Cheia ramane, nu este goala: HKLM\\" + key);
            left.push_back(key);
        }
    }
}

void UninstallWork::ListUnknownFiles(const std::string& folder) {
    for (const plat::DirEntry& entry : plat::Current().ListDirectory(folder)) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string path = plat::JoinPath(folder, entry.name);
        if (record::IsDataPath(record_, path)) continue;
        if (entry.isDirectory) {
            ListUnknownFiles(path);
            continue;
        }
        const bool ours = SamePath(folder, record_.programDir) &&
                          (SamePath(entry.name, record::RecordFileName) || SamePath(entry.name, record::UninstallProgram));
        if (!ours && !Listed(record_.product.files, path)) outcome_.kept.push_back(path + " (nu este al instalarii)");
    }
}

void UninstallWork::RemoveProgramFiles() {
    LoggedStep step("RemoveProgramFiles");
    ListUnknownFiles(record_.programDir);
    RemoveFiles(record_.product.files, true, record_.programDir, left_.product.files);
    std::vector<std::string> below;  // the program folder itself goes last, after this program
    for (const std::string& folder : record_.product.folders)
        if (!SamePath(folder, record_.programDir)) below.push_back(folder);
    RemoveFolders(below, record_.programDir, left_.product.folders);
}

void UninstallWork::RemoveShortcuts() {
    for (const record::RecordedFile& shortcut : record_.shortcuts) {
        const std::string folder = plat::ExcludeTrailingBackslash(plat::ExtractFilePath(shortcut.path));
        RemoveFiles({shortcut}, true, folder, left_.shortcuts);
        std::vector<std::string> kept;  // a folder that holds somebody else's shortcut stays, and is no failure
        RemoveFolders({folder}, folder, kept);
    }
}

void UninstallWork::RemoveGroup() {
    LoggedStep step("RemoveGroup");
    if (record_.group.empty()) return;
    RemoveShortcuts();
    bool groupLeft = !left_.shortcuts.empty();
    if (record_.groupWay == record::GroupWay::ProgramManager) {
        // A shell that refuses to delete the group has none of that name any more.
        const plat::DdeResult result =
            plat::Current().DdeExecute(kShellService, "", {"[DeleteGroup(\"" + record_.group + "\")]"}, kShellAnswerMs);
        if (result != plat::DdeResult::Executed && result != plat::DdeResult::Refused) {
            Fail("grupul de programe " + record_.group + " (Program Manager nu raspunde)");
            groupLeft = true;
        }
    }
    if (!groupLeft) return;
    left_.group = record_.group;
    left_.groupWay = record_.groupWay;
}

void UninstallWork::RemoveAliases() {
    LoggedStep step("RemoveAliases");
    for (const std::string& alias : record_.aliases) {
        if (RemoveBDEAliases({alias})) continue;
        Fail("aliasul BDE " + alias);
        left_.aliases.push_back(alias);
    }
    // The engine's library is let go, so that its files can go too.
    ShutdownBDE();
}

void UninstallWork::RestoreProfile() {
    LoggedStep step("RestoreProfile");
    auto& platform = plat::Current();
    for (const record::RecordedValue& value : record_.profile) {
        const bool done = value.previous ? platform.WriteProfile(value.key, value.name, *value.previous)
                                         : platform.RemoveProfileValue(value.key, value.name);
        if (done) continue;
        Fail("WIN.INI [" + value.key + "] " + value.name);
        left_.profile.push_back(value);
    }
}

void UninstallWork::TakeBackEngine() {
    LoggedStep step("TakeBackEngine");
    auto& platform = plat::Current();
    const std::optional<std::string> useCount = platform.RegistryReadString(kEngineKey, kUseCountValue);
    if (auto lowered = record::LoweredUseCount(record_, useCount);
        lowered && !platform.RegistryWriteString(kEngineKey, kUseCountValue, *lowered)) {
        Fail(std::string("HKLM\\") + kEngineKey + " " + kUseCountValue);
        left_.useCountRaised = record_.useCountRaised;
    }
    if (!record_.engineUnpacked) return;
    if (!record::EngineMayGo(record_, useCount)) {
        core::LogNote("Motorul BDE ramane: il folosesc si alte programe (UseCount " + useCount.value_or("") + ")");
        return;
    }
    ShutdownBDE();
    const std::string home = plat::JoinPath(ProgramFilesFolder(), kEngineFolderBelowProgramFiles);
    RemoveFiles(record_.engine.files, false, home, left_.engine.files);
    RemoveFolders(record_.engine.folders, home, left_.engine.folders);
    TakeBackValues(record_.engine.values, left_.engine.values);
    RemoveKeys(record_.engine.keys, left_.engine.keys);
    left_.engineUnpacked = !left_.engine.files.empty() || !left_.engine.values.empty();
}

void UninstallWork::RemoveFromSystem() {
    LoggedStep step("RemoveFromSystem");
    if (!outcome_.failures.empty()) {
        // Still listed, with a record of what is left: the uninstall can be run again.
        left_.product.values = record_.product.values;
        left_.product.keys = record_.product.keys;
        left_.product.folders.clear();
        for (const std::string& folder : record_.product.folders)
            if (plat::Current().DirectoryExists(folder)) left_.product.folders.push_back(folder);
        if (!record::WriteRecordFile(recordPath_, left_)) Fail(recordPath_);
        return;
    }
    TakeBackValues(record_.product.values, left_.product.values);
    RemoveKeys(record_.product.keys, left_.product.keys);
    RemoveOwnFiles();
}

void UninstallWork::RemoveOwnFiles() {
    auto& platform = plat::Current();
    if (OnNetwork(recordPath_)) {
        // The program stays on the share, and with it what can remove it from there.
        const std::string own = plat::JoinPath(record_.programDir, record::UninstallProgram);
        for (const std::string& path : {recordPath_, own})
            if (platform.FileExists(path)) outcome_.kept.push_back(path + kOnNetwork);
        return;
    }
    if (platform.FileExists(recordPath_) && !platform.RemoveFile(recordPath_)) Fail(WhyNotRemoved(recordPath_));
    const std::string own = plat::JoinPath(record_.programDir, record::UninstallProgram);
    if (platform.FileExists(own)) {
        if (!SamePath(platform.ModuleFileName(), own)) {
            if (!platform.RemoveFile(own)) Fail(WhyNotRemoved(own));
        } else {
            // A running program cannot remove its file, but can move it: to the temporary
            // folder, where it goes when the system next starts.
            std::string parking = platform.Environment("TEMP").value_or("");
            if (parking.empty()) parking = platform.WindowsDirectory();
            parking = plat::JoinPath(parking, kParkedName + std::to_string(platform.TickCount()) + ".TMP");
            if (platform.RenameFile(own, parking, true)) {
                if (!platform.RemoveFileAtRestart(parking))
                    core::LogNote("Programul de dezinstalare a ramas in " + parking);
            } else if (platform.RemoveFileAtRestart(own))
                outcome_.kept.push_back(own + " (se sterge la repornirea calculatorului)");
            else
                Fail(WhyNotRemoved(own));
        }
    }
    for (const std::string& folder : record_.product.folders)
        if (SamePath(folder, record_.programDir)) RemoveFolders({folder}, record_.programDir, left_.product.folders);
}

std::vector<std::string> OutcomeLines(const UninstallOutcome& outcome) {
    std::vector<std::string> lines;
    lines.emplace_back(outcome.AllRemoved() ? "WinTORVEX a fost dezinstalat." : "Dezinstalarea s-a terminat.");
    auto section = [&](const char* heading, const std::vector<std::string>& items) {
        if (items.empty()) return;
        lines.emplace_back(heading);
        for (const std::string& item : items) lines.push_back("   " + item);
    };
    section("Datele firmei au ramas neatinse in:", outcome.data);
    section("Fisiere pastrate:", outcome.kept);
    section("Nu am putut sterge (dezinstalarea poate fi reluata):", outcome.failures);
    return lines;
}

}  // namespace work
