#include "pages/CopyWork.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/InstallState.h"
#include "core/Log.h"
#include "pages/CopyTexts.h"
#include "pages/EngineCheck.h"
#include "pages/ExtractionWatch.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/Pilot.h"
#include "unzip/OutputPath.h"
#include "unzip/ZipCodes.h"

namespace pages {

namespace {

// Failed members named one a line in the box; the rest are counted.
constexpr size_t kMembersNamed = 5;

bool IsOptionalModule(std::string_view archiveName) {
    const std::string upper = plat::ToUpperAscii(archiveName);
    return upper == "VANTIR.ZIP" || upper == "MIRDAN.ZIP";
}

bool ContainsIgnoreCase(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& known) { return plat::EqualsIgnoreCase(known, name); });
}

// A member that could not be written on a drive that has no room left for it.
bool DiskFilledUp(const FailedMember& member) {
    if (member.code != unzip::ZipWriteError) return false;
    const std::optional<uint64_t> free = plat::Current().FreeSpace(plat::ExtractFilePath(member.path));
    return free && *free < member.size;
}

std::string DescribeFailedArchive(const std::string& archiveName, const ExtractionWatch& watch) {
    std::string text = copytext::ArchiveFailure(archiveName);
    auto line = [&text](const std::string& more) { text.append("\r").append(more); };
    const auto& members = watch.Failed();
    for (size_t i = 0; i < members.size() && i < kMembersNamed; ++i)
        line(members[i].path + ": " +
             (DiskFilledUp(members[i]) ? copytext::kDiskFull : copytext::ExtractReason(members[i].code)));
    if (members.size() > kMembersNamed) line(copytext::MoreFailures(members.size() - kMembersNamed));
    if (members.empty()) line(copytext::ExtractReason(watch.WalkResult()));
    return text;
}

}  // namespace

int UnzipPercent(double bytesWritten, double bytesExpected) {
    if (!(bytesExpected > 0)) return 0;
    const double percent = std::nearbyint(bytesWritten / bytesExpected * 100.0);
    return int(std::clamp(percent, 0.0, 100.0));
}

CopyWork::CopyWork(product::ComponentSet selection, CopyView view) : selection_(selection), view_(std::move(view)) {}

CopyOutcome CopyWork::Run(const ExtractionSettings& settings) {
    journal_ = settings.journal;
    if (journal_ && !journal_->Begin(core::State().ProgramDir)) {
        const std::string path = journal::KeepFolderFor(core::State().ProgramDir) + "\\" + journal::kJournalFileName;
        ReportFailure(plat::Current().FileExists(path) ? copytext::JournalLeft(path) : copytext::JournalFailure(path));
        return CopyOutcome::Failed;
    }
    CopyOutcome outcome = Copy(settings);
    if (outcome == CopyOutcome::Done && settings.beforeCommit && !settings.beforeCommit()) {
        failed_ = true;
        outcome = CopyOutcome::Failed;
    }
    if (journal_) FinishJournal(outcome == CopyOutcome::Done);
    return outcome;
}

CopyOutcome CopyWork::Copy(const ExtractionSettings& settings) {
    if (!EnoughSpaceForPieces()) return CopyOutcome::Failed;
    if (!AssembleArchives()) return CopyOutcome::DiskRefused;
    // What the members will do, listed once from the joined archives.
    const std::vector<PlannedMember> plan = PlanMembers(selection_, core::State().WorkDir, settings.replaces);
    if (!EnoughSpaceForMembers(plan) || !FilesFree(plan) || !JournalNewMembers(plan)) {
        // Nothing unpacked: what was joined goes too (the journal undoes it on an upgrade).
        if (!journal_) DeleteAssembledArchives();
        return CopyOutcome::Failed;
    }
    ExtractArchives(settings);
    return failed_ ? CopyOutcome::Failed : CopyOutcome::Done;
}

bool CopyWork::ShowShortfall(const DriveNeeds& needs) {
    const std::optional<Shortfall> shortfall = FindShortfall(needs);
    if (!shortfall) return true;
    failed_ = true;
    const std::string text = copytext::NoSpace(shortfall->drive, shortfall->needed, shortfall->free);
    if (core::LogEnabled) core::LogNote(text);
    ui::MessageHeadingScope heading("");
    ui::ShowMessageBox(text, copytext::kNoSpaceTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
    return false;
}

bool CopyWork::EnoughSpaceForPieces() {
    const core::InstallState& state = core::State();
    plat::Platform& platform = plat::Current();
    // Pieces on numbered disks are known one disk at a time: the members' check covers them.
    if (platform.DriveTypeOf(state.SourceDir.substr(0, 3)) == plat::DriveType::Removable) return true;
    const std::string source = plat::ExcludeTrailingBackslash(state.SourceDir);
    DriveNeeds needs;
    for (const plat::DirEntry& entry : platform.ListDirectory(source)) {
        if (entry.isDirectory) continue;
        const auto pieces = product::PiecesInJoiningOrder({entry}, selection_);
        if (!pieces.empty()) AddNeed(needs, state.WorkDir, uint64_t(entry.size));
    }
    return ShowShortfall(needs);
}

bool CopyWork::EnoughSpaceForMembers(const std::vector<PlannedMember>& plan) {
    DriveNeeds needs;
    for (const PlannedMember& member : plan)
        if (member.written) AddNeed(needs, member.path, member.size);
    return ShowShortfall(needs);
}

bool CopyWork::FilesFree(const std::vector<PlannedMember>& plan) {
    if (!journal_) return true;
    for (;;) {
        std::vector<std::string> held;
        for (const PlannedMember& member : plan)
            if (member.exists && member.written && plat::Current().FileInUse(member.path)) held.push_back(member.path);
        if (held.empty()) return true;
        if (core::LogEnabled) core::LogNote(copytext::FilesInUse(held));
        ui::MessageHeadingScope heading("");
        ui::MessagePurposeScope purpose(ui::MessagePurpose::Failure);
        const uint16_t answer = ui::ShowMessageBox(copytext::FilesInUse(held), copytext::kInUseTitle, ui::mtWarning,
                                                   ui::taLeftJustify, ui::Buttons({ui::mbRetry, ui::mbCancel}),
                                                   ui::mbRetry, 0);
        if (answer != ui::mrRetry) return false;
    }
}

void CopyWork::FinishJournal(bool succeeded) {
    if (succeeded) {
        if (!journal_->Commit() && core::LogEnabled)
            core::LogNote("Nu am putut sterge toate copiile pastrate in " + journal::KeepFolderFor(journal_->Path()));
        return;
    }
    const std::vector<std::string> problems = journal_->RollBack();
    if (problems.empty()) {
        rolledBack_ = true;
        if (core::LogEnabled) core::LogNote(copytext::kRolledBack);
        return;
    }
    ReportFailure(copytext::RollbackProblems(problems));
}

bool CopyWork::JournalNewMembers(const std::vector<PlannedMember>& plan) {
    if (!journal_) return true;
    for (const PlannedMember& member : plan) {
        if (member.exists) continue;
        if (!journal_->WillCreate(member.path)) {
            ReportFailure(copytext::JournalFailure(journal_->Path()));
            return false;
        }
    }
    return true;
}

bool CopyWork::JournalArchive(const std::string& archivePath) {
    if (!journal_) return true;
    if (plat::Current().FileExists(archivePath) ? journal_->Keep(archivePath) : journal_->WillCreate(archivePath))
        return true;
    ReportFailure(copytext::KeepFailure(archivePath));
    return false;
}

void CopyWork::Show(const std::string& text) {
    if (view_.showStatus) view_.showStatus(text);
}

void CopyWork::ReportFailure(const std::string& text) {
    failed_ = true;
    if (core::LogEnabled) core::LogNote(text);
    ui::MessageHeadingScope heading(copytext::kFailureHeading);
    ui::ShowMessageBox(text, "", ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
}

bool CopyWork::AskForDisk(int disk) {
    ui::MessageHeading = copytext::kDiskHeading;
    const std::string& source = core::State().SourceDir;
    ui::MessagePurposeScope purpose(ui::MessagePurpose::MediaRequest);
    while (!product::DiskPresent(source, disk)) {
        const uint16_t answer =
            ui::ShowMessageBox(copytext::kDiskRequest + std::to_string(disk), "", ui::mtWarning, ui::taCenter,
                               ui::Buttons({ui::mbOK, ui::mbCancel}), ui::mbOK, 0);
        if (answer == ui::mrCancel) return false;
    }
    return true;
}

bool CopyWork::AssembleArchives() {
    core::InstallState& state = core::State();
    plat::Platform& platform = plat::Current();
    Show(copytext::kAssembling);
    if (platform.DriveTypeOf(state.SourceDir.substr(0, 3)) != plat::DriveType::Removable) state.DiskCount = 1;
    if (view_.showCopyProgress) view_.showCopyProgress(0, state.DiskCount);
    if (!state.SourceDir.empty() && state.SourceDir.back() == '\\') state.SourceDir.pop_back();
    for (int disk = 1; disk <= state.DiskCount; ++disk) {
        if (!AskForDisk(disk)) return false;
        if (view_.showCopyProgress) view_.showCopyProgress(disk, state.DiskCount);
        const auto entries = platform.ListDirectory(state.SourceDir);
        for (const std::string& piece : product::PiecesInJoiningOrder(entries, selection_)) JoinPiece(piece);
    }
    return true;
}

void CopyWork::JoinPiece(const std::string& name) {
    const core::InstallState& state = core::State();
    Show(name);
    const std::string archiveName = product::PieceArchiveName(name);
    const std::string piecePath = state.SourceDir + "\\" + name;
    const std::string archivePath = plat::JoinPath(state.WorkDir, archiveName);
    if (!Assembled(archiveName)) assembled_.push_back(archiveName);
    if (JoinFailed(archiveName)) return;  // already reported; the rest of it cannot help
    if (product::PieceStartsArchive(name) && !JournalArchive(archivePath)) {
        failedJoins_.push_back(archiveName);
        return;
    }
    const product::JoinFault fault = joiner_.Append(piecePath, archivePath, product::PieceStartsArchive(name));
    if (fault == product::JoinFault::None) return;
    failedJoins_.push_back(archiveName);
    ReportFailure(copytext::JoinFailure(fault, piecePath, archivePath));
}

bool CopyWork::Assembled(const std::string& archiveName) const { return ContainsIgnoreCase(assembled_, archiveName); }

bool CopyWork::JoinFailed(const std::string& archiveName) const {
    return ContainsIgnoreCase(failedJoins_, archiveName);
}

bool CopyWork::DestinationOf(const product::TCompRecord& component, std::string* folder) {
    const core::InstallState& state = core::State();
    switch (component.Target) {
        case product::TargetData:
        case product::TargetDataToo:
            *folder = state.DataDir;
            return true;
        case product::TargetProgram:
            *folder = state.ProgramDir;
            return true;
        default:
            break;
    }
    const EngineTarget engine = CheckEngine();
    if (engine.kind == EngineTarget::Failed) ReportFailure(copytext::EngineFolderFailure(engine.folder));
    *folder = engine.folder;
    return engine.kind == EngineTarget::Extract;
}

namespace {

// Who the files of a component belong to in the installation's record; the data belongs
// to the company, and no record lists it.
record::Belongings* OwnerOf(const product::TCompRecord& component) {
    switch (component.Target) {
        case product::TargetProgram: return &record::ThisRun().product;
        case product::TargetData:
        case product::TargetDataToo: return nullptr;
        default: return &record::ThisRun().engine;
    }
}

}  // namespace

void CopyWork::ExtractComponent(unzip::TQuarnUnzip& unzip, const product::TCompRecord& component,
                                const ExtractionSettings& settings) {
    const core::InstallState& state = core::State();
    const std::string archiveName = std::string(component.Name) + ".ZIP";
    Show(std::string(component.Description));
    unzip.SetFileName(plat::JoinPath(state.WorkDir, archiveName));
    const bool missing = !plat::Current().FileExists(plat::JoinPath(state.WorkDir, archiveName));
    if (missing && settings.skipMissingModules && IsOptionalModule(archiveName)) return;
    if (JoinFailed(archiveName)) return;
    std::string folder;
    if (!DestinationOf(component, &folder)) return;
    unzip.SetDirectoryName(folder);
    if (settings.beforeExtract) settings.beforeExtract(component, unzip);

    ExtractionWatch watch;
    record::Belongings* owner = OwnerOf(component);
    unzip.SetReportProc([this, &watch, owner](int32_t value, unzip::ExtractReport* report) {
        watch.Observe(value, *report);
        if (owner && report->Status == unzip::StatusFileDone && report->PackMethod != unzip::kPackMethodSkipped)
            record::NoteFile(*owner, report->FileName);
        if (report->Status != unzip::StatusBytesWritten) return;
        bytesWritten_ += value;
        if (view_.showUnzipProgress) view_.showUnzipProgress(UnzipPercent(bytesWritten_, bytesExpected_));
        ui::ProcessMessages();
    });
    watch.Finish(unzip.Extract());
    if (missing) {
        // Nothing to unpack, nothing damaged: the media simply had no such archive.
        if (core::LogEnabled) core::LogNote(copytext::MissingArchive(archiveName));
        return;
    }
    if (watch.ArchiveFailed()) ReportFailure(DescribeFailedArchive(archiveName, watch));
    for (const std::string& path : notKept_) ReportFailure(copytext::KeepFailure(path));
    notKept_.clear();
}


void CopyWork::ExtractArchives(const ExtractionSettings& settings) {
    core::InstallState& state = core::State();
    plat::Platform& platform = plat::Current();
    unzip::TQuarnUnzip unzip;
    unzip.SetQueryProc(settings.query);
    if (journal_) {
        // Every file that the query lets the copy replace is moved aside first.
        unzip.SetQueryProc([this, query = settings.query](unzip::ExtractReport* report) {
            if (query && !query(report)) return false;
            const std::string path(report->FileName, strnlen(report->FileName, sizeof report->FileName));
            if (journal_->Keep(path)) return true;
            notKept_.push_back(path);
            return false;
        });
    }
    // The archives are named with their folder, so a working folder that cannot be made
    // current only leaves the current folder where it was.
    if (!platform.ChangeDirectory(plat::ExcludeTrailingBackslash(state.WorkDir)) && core::LogEnabled)
        core::LogNote("Nu pot trece in directorul " + state.WorkDir);
    bytesExpected_ = 0;
    bytesWritten_ = 0;
    if (view_.showUnzipProgress) view_.showUnzipProgress(0);
    for (size_t position = 0; position < product::ComponentTable.size(); ++position) {
        const product::TCompRecord& component = product::ComponentTable[position];
        if (!product::Contains(selection_, int(position)) || component.Name.empty()) continue;
        unzip.SetFileName(plat::JoinPath(state.WorkDir, std::string(component.Name) + ".ZIP"));
        bytesExpected_ += unzip.ArchiveSize();
    }
    for (size_t position = 0; position < product::ComponentTable.size(); ++position) {
        const product::TCompRecord& component = product::ComponentTable[position];
        if (!product::Contains(selection_, int(position)) || component.Name.empty()) continue;
        ExtractComponent(unzip, component, settings);
    }
    DeleteAssembledArchives();
}

void CopyWork::DeleteAssembledArchives() {
    plat::Platform& platform = plat::Current();
    const std::string& programDir = core::State().ProgramDir;
    for (const std::string& archiveName : assembled_) {
        const std::string path = plat::ExcludeTrailingBackslash(programDir) + "\\" + archiveName;
        if (platform.FileExists(path) && !platform.RemoveFile(path)) ui::ShowPlainMessage(copytext::kCannotDelete + path);
    }
}

}  // namespace pages
