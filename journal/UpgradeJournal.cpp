#include "journal/UpgradeJournal.h"

#include <algorithm>

#include "journal/DataCopy.h"
#include "platform/Paths.h"

namespace journal {

namespace {

plat::Platform& Machine() { return plat::Current(); }

bool WriteAll(plat::File& file, const std::string& text) {
    return file.Write(text.data(), int64_t(text.size())) == int64_t(text.size());
}

// The folders on the way to `path` that do not exist yet, outermost first.
std::vector<std::string> MissingFoldersAbove(const std::string& path) {
    std::vector<std::string> missing;
    const std::string root = plat::ExtractDriveRoot(path);
    for (std::string folder = plat::ExcludeTrailingBackslash(plat::ExtractFilePath(path));
         folder.size() > root.size() && !Machine().DirectoryExists(folder);
         folder = plat::ExcludeTrailingBackslash(plat::ExtractFilePath(folder)))
        missing.push_back(folder);
    std::reverse(missing.begin(), missing.end());
    return missing;
}

bool SameText(const std::string& a, const std::string& b) { return plat::EqualsIgnoreCase(a, b); }

// An existing file's path with its own name as the folder holds it, whatever the case of
// `path`: what it must be given back under.
std::string AsStored(const std::string& path) {
    const std::string folder = plat::ExtractFilePath(path);
    const std::string name = plat::ExtractFileName(path);
    for (const plat::DirEntry& entry : Machine().ListDirectory(plat::ExcludeTrailingBackslash(folder)))
        if (!entry.isDirectory && SameText(entry.name, name)) return folder + entry.name;
    return path;
}

std::string Unreachable(const std::string& path, const std::string& drive) {
    return path + " (discul " + drive + " nu este disponibil)";
}

std::string Vanished(const std::string& path, const std::string& kept) {
    return path + " (lipseste, ca si copia lui " + kept + ")";
}

constexpr char kDataCopyName[] = "DATE";

// A name for a new copy of data in `keepFolder` that no earlier copy has: DATE1, DATE2...
std::string FreeDataCopyName(const std::string& keepFolder) {
    for (int number = 1;; ++number) {
        const std::string copy = keepFolder + "\\" + kDataCopyName + std::to_string(number);
        if (!Machine().DirectoryExists(copy) && !Machine().FileExists(WholeMarkOf(copy))) return copy;
    }
}

// Puts the data back from its copy, when the copy is whole, then removes the copy. A copy
// without its mark was cut short before the data was changed: it only goes.
void UndoData(const Step& step, std::vector<std::string>& problems) {
    if (Machine().FileExists(WholeMarkOf(step.kept))) {
        const std::vector<std::string> stayed = RestoreTree(step.kept, step.path);
        if (!stayed.empty()) {
            problems.insert(problems.end(), stayed.begin(), stayed.end());
            return;  // the copy stays for the next try
        }
    }
    if (!RemoveCopy(step.kept)) problems.push_back(step.kept);
}

bool Stays(const std::vector<Step>& steps, const Step& data) {
    return std::any_of(steps.begin(), steps.end(),
                       [&](const Step& s) { return s.kind == Step::Stays && SameText(s.kept, data.kept); });
}

}  // namespace

std::string KeepFolderFor(const std::string& path) {
    return plat::ExtractDriveRoot(path) + kKeepFolderName;
}

UpgradeJournal::Start UpgradeJournal::Begin(const std::string& programDir) {
    plat::Platform& machine = Machine();
    Close();
    steps_.clear();
    keptCount_ = 0;
    const std::string folder = KeepFolderFor(programDir);
    path_ = folder + "\\" + kJournalFileName;
    // An earlier upgrade that could not be undone keeps its journal for the next start.
    if (machine.FileExists(path_)) return Start::EarlierLeft;
    // Named first, so that a start after a crash at any later point finds what to clear.
    if (!machine.RegistryWriteString(kPointerKey, kPointerValue, path_)) return Start::PointerNotWritten;
    if (!machine.DirectoryExists(folder) && !machine.MakeDirectory(folder)) {
        Discard(path_, {});
        return Start::NotWritten;
    }
    file_ = machine.Open(path_, plat::OpenMode::AppendDurable);
    if (!file_ || !WriteAll(*file_, HeaderLine())) {
        Close();
        Discard(path_, {});
        return Start::NotWritten;
    }
    return Start::Begun;
}

bool UpgradeJournal::Note(const Step& step) {
    if (!file_ || !WriteAll(*file_, StepLine(step))) return false;
    steps_.push_back(step);
    return true;
}

bool UpgradeJournal::WillCreate(const std::string& path) {
    for (const std::string& folder : MissingFoldersAbove(path))
        if (!std::any_of(steps_.begin(), steps_.end(),
                         [&](const Step& s) { return s.kind == Step::Folder && SameText(s.path, folder); }) &&
            !Note({Step::Folder, folder, {}}))
            return false;
    return Note({Step::New, path, {}});
}

bool UpgradeJournal::Keep(const std::string& written) {
    plat::Platform& machine = Machine();
    const std::string path = AsStored(written);
    const std::string folder = KeepFolderFor(path);
    if (!machine.DirectoryExists(folder) && !machine.MakeDirectory(folder)) return false;
    const std::string kept = folder + "\\" + std::to_string(++keptCount_) + ".VEC";
    machine.RemoveFile(kept);
    return Note({Step::Kept, path, kept}) && machine.RenameFile(path, kept, false);
}

bool UpgradeJournal::KeepData(const std::string& folder) {
    plat::Platform& machine = Machine();
    const std::string keepFolder = KeepFolderFor(folder);
    problem_.clear();
    dataCopy_.clear();
    if (!machine.DirectoryExists(keepFolder) && !machine.MakeDirectory(keepFolder)) {
        problem_ = keepFolder;
        return false;
    }
    const std::string copy = FreeDataCopyName(keepFolder);
    if (!Note({Step::Data, plat::ExcludeTrailingBackslash(folder), copy})) {
        problem_ = path_;
        return false;
    }
    problem_ = CopyTree(folder, copy);
    if (!problem_.empty()) {
        RemoveCopy(copy);  // what was copied goes now; the step stays noted, harmless
        return false;
    }
    dataCopy_ = copy;
    return true;
}

bool UpgradeJournal::Commit(bool keepDataCopy) {
    if (!file_) return false;
    if (keepDataCopy && !dataCopy_.empty()) {
        const auto data = std::find_if(steps_.rbegin(), steps_.rend(), [&](const Step& s) {
            return s.kind == Step::Data && SameText(s.kept, dataCopy_);
        });
        if (data != steps_.rend() && !Note({Step::Stays, data->path, data->kept})) return false;
    }
    const bool noted = WriteAll(*file_, DoneLine());
    Close();
    // Without its end noted, the journal would undo the new installation at the next
    // start: it stays as it is, and that start finishes it.
    if (!noted) return false;
    // A kept file that cannot go now goes at the next start, which finds the journal.
    if (!FinishSteps(steps_).empty()) return false;
    Discard(path_, steps_);
    return true;
}

std::vector<std::string> UpgradeJournal::RollBack() {
    Close();
    std::vector<std::string> problems = UndoSteps(steps_);
    if (problems.empty()) Discard(path_, steps_);
    return problems;
}

void UpgradeJournal::Close() { file_.reset(); }

std::string MissingDrive(const std::string& path) {
    const std::string root = plat::ExtractDriveRoot(path);
    if (root.empty() || Machine().DirectoryExists(root)) return {};
    return plat::ExcludeTrailingBackslash(root);
}

std::vector<std::string> UndoSteps(const std::vector<Step>& steps) {
    plat::Platform& machine = Machine();
    std::vector<std::string> problems;
    // Latest first: a folder's files go before the folder.
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        // A drive that is not there tells nothing of its files: they wait for it.
        if (const std::string drive = MissingDrive(step->path); !drive.empty()) {
            problems.push_back(Unreachable(step->path, drive));
            continue;
        }
        switch (step->kind) {
            case Step::New:
                if (machine.FileExists(step->path) && !machine.RemoveFile(step->path))
                    problems.push_back(step->path);
                break;
            case Step::Folder:
                if (machine.DirectoryExists(step->path) && !machine.RemoveEmptyDirectory(step->path))
                    problems.push_back(step->path);
                break;
            case Step::Data:
                UndoData(*step, problems);
                break;
            case Step::Stays:
                break;  // the upgrade did not end: its data comes back all the same
            case Step::Kept:
                // A kept file that is not there was never moved aside, or is back already:
                // the file is in its place then. With neither there, where it is cannot be
                // known, and the journal stays to say where it was kept.
                if (!machine.FileExists(step->kept)) {
                    if (!machine.FileExists(step->path)) problems.push_back(Vanished(step->path, step->kept));
                    break;
                }
                // What took its place goes first, so that it comes back under its own name.
                if (machine.FileExists(step->path)) machine.RemoveFile(step->path);
                if (!machine.RenameFile(step->kept, step->path, false)) problems.push_back(step->path);
                break;
        }
    }
    return problems;
}

std::vector<std::string> FinishSteps(const std::vector<Step>& steps) {
    plat::Platform& machine = Machine();
    std::vector<std::string> problems;
    for (const Step& step : steps) {
        if (step.kind != Step::Kept && (step.kind != Step::Data || Stays(steps, step))) continue;
        if (const std::string drive = MissingDrive(step.kept); !drive.empty())
            problems.push_back(Unreachable(step.kept, drive));
        else if (step.kind == Step::Data ? !RemoveCopy(step.kept)
                                         : machine.FileExists(step.kept) && !machine.RemoveFile(step.kept))
            problems.push_back(step.kept);
    }
    return problems;
}

bool KeepsData(const std::vector<Step>& steps) {
    return std::any_of(steps.begin(), steps.end(), [](const Step& step) { return step.kind == Step::Data; });
}

void Discard(const std::string& journalPath, const std::vector<Step>& steps) {
    plat::Platform& machine = Machine();
    // While the journal is there, the registry value stays, to find it again.
    if (machine.FileExists(journalPath) && !machine.RemoveFile(journalPath)) return;
    std::vector<std::string> folders{plat::ExcludeTrailingBackslash(plat::ExtractFilePath(journalPath))};
    for (const Step& step : steps)
        if (step.kind == Step::Kept || step.kind == Step::Data) folders.push_back(KeepFolderFor(step.kept));
    for (const std::string& folder : folders)
        if (machine.DirectoryExists(folder)) machine.RemoveEmptyDirectory(folder);
    machine.RegistryWriteString(kPointerKey, kPointerValue, "");
}

}  // namespace journal
