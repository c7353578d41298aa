#include "work/copy/CopyWork.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Log.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"
#include "unzip/OutputPath.h"
#include "unzip/ZipCodes.h"
#include "work/copy/CopyTexts.h"
#include "work/copy/ExtractionWatch.h"
#include "work/copy/ReplacementRule.h"
#include "work/engine/EngineCheck.h"

namespace work {

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

CopyWork::CopyWork(CopyOrder order, CopyView view, Reports& reports)
    : order_(std::move(order)), view_(std::move(view)), reports_(reports), journal_(order_.journal) {
    // Pieces in a folder of their own are all on one disk; the folder is named without
    // its "\\" from here on.
    CopySource& source = order_.source;
    fromFloppies_ = plat::Current().DriveTypeOf(source.folder.substr(0, 3)) == plat::DriveType::Removable;
    if (!fromFloppies_) source.diskCount = 1;
    if (!source.folder.empty() && source.folder.back() == '\\') source.folder.pop_back();
}

CopyOutcome CopyWork::Run() {
    const std::string& programDir = order_.folders.program;
    if (journal_) {
        using Start = journal::UpgradeJournal::Start;
        switch (journal_->Begin(programDir)) {
            case Start::Begun: break;
            case Start::EarlierLeft: ReportFailure(copytext::JournalLeft(journal_->Path())); return CopyOutcome::Failed;
            case Start::PointerNotWritten: ReportFailure(copytext::JournalPointerFailure()); return CopyOutcome::Failed;
            case Start::NotWritten: ReportFailure(copytext::JournalFailure(journal_->Path())); return CopyOutcome::Failed;
        }
    }
    CopyOutcome outcome = Copy();
    if (outcome == CopyOutcome::Done && order_.beforeCommit && !order_.beforeCommit()) {
        failed_ = true;
        outcome = CopyOutcome::Failed;
    }
    if (journal_) FinishJournal(outcome == CopyOutcome::Done);
    return outcome;
}

CopyOutcome CopyWork::Copy() {
    if (!EnoughSpaceForPieces()) return CopyOutcome::Failed;
    if (!AssembleArchives()) return CopyOutcome::DiskRefused;
    // What the members will do, listed once from the joined archives.
    const std::vector<PlannedMember> plan = PlanMembers(order_);
    if (!EnoughSpaceForMembers(plan) || !FilesFree(plan) || !JournalNewMembers(plan)) {
        // Nothing unpacked: what was joined goes too (the journal undoes it on an upgrade).
        if (!journal_) DeleteAssembledArchives();
        return CopyOutcome::Failed;
    }
    ExtractArchives();
    return failed_ ? CopyOutcome::Failed : CopyOutcome::Done;
}

bool CopyWork::ShowShortfall(const DriveNeeds& needs) {
    const std::optional<Shortfall> shortfall = FindShortfall(needs);
    if (!shortfall) return true;
    failed_ = true;
    Notice notice;
    notice.text = copytext::NoSpace(shortfall->drive, shortfall->needed, shortfall->free);
    notice.title = copytext::kNoSpaceTitle;
    notice.heading = "";
    if (core::LogEnabled) core::LogNote(notice.text);
    reports_.Tell(notice);
    return false;
}

bool CopyWork::EnoughSpaceForPieces() {
    // Pieces on numbered disks are known one disk at a time: the members' check covers them.
    if (fromFloppies_) return true;
    DriveNeeds needs;
    for (const plat::DirEntry& entry : plat::Current().ListDirectory(order_.source.folder)) {
        if (entry.isDirectory) continue;
        const auto pieces = product::PiecesInJoiningOrder({entry}, order_.selection);
        if (!pieces.empty()) AddNeed(needs, order_.folders.work, uint64_t(entry.size));
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
        const Notice notice =
            ListQuestion(copytext::FilesInUse(held), copytext::kInUseTitle, Choices::RetryCancel, Purpose::Failure);
        if (core::LogEnabled) core::LogNote(notice.text);
        if (reports_.Tell(notice) != Answer::Ok) return false;
    }
}

void CopyWork::FinishJournal(bool succeeded) {
    if (succeeded && order_.leaveJournalOpen) return;
    if (succeeded) {
        if (!journal_->Commit() && core::LogEnabled)
            core::LogNote(copytext::KeptCopiesLeft(journal::KeepFolderFor(journal_->Path())));
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
    Notice notice;
    notice.text = text;
    notice.heading = copytext::kFailureHeading;
    reports_.Tell(notice);
}

bool CopyWork::AskForDisk(int disk) {
    reports_.SetHeading(copytext::kDiskHeading);
    Notice request;
    request.text = copytext::kDiskRequest + std::to_string(disk);
    request.look = Look::Warning;
    request.choices = Choices::OkCancel;
    request.purpose = Purpose::MediaRequest;
    while (!product::DiskPresent(order_.source.folder, disk)) {
        if (reports_.Tell(request) == Answer::Cancel) return false;
    }
    return true;
}

bool CopyWork::AssembleArchives() {
    const CopySource& source = order_.source;
    Show(copytext::kAssembling);
    if (view_.showCopyProgress) view_.showCopyProgress(0, source.diskCount);
    for (int disk = 1; disk <= source.diskCount; ++disk) {
        if (!AskForDisk(disk)) return false;
        if (view_.showCopyProgress) view_.showCopyProgress(disk, source.diskCount);
        const auto entries = plat::Current().ListDirectory(source.folder);
        for (const std::string& piece : product::PiecesInJoiningOrder(entries, order_.selection)) JoinPiece(piece);
    }
    return true;
}

void CopyWork::JoinPiece(const std::string& name) {
    Show(name);
    const std::string archiveName = product::PieceArchiveName(name);
    const std::string piecePath = order_.source.folder + "\\" + name;
    const std::string archivePath = plat::JoinPath(order_.folders.work, archiveName);
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
    switch (component.Target) {
        case product::TargetData:
        case product::TargetDataToo:
            *folder = order_.folders.data;
            return true;
        case product::TargetProgram:
            *folder = order_.folders.program;
            return true;
        default:
            break;
    }
    const EngineTarget engine = CheckEngine(order_.oldEngine, reports_);
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

void CopyWork::ExtractComponent(unzip::TQuarnUnzip& unzip, const product::TCompRecord& component) {
    const std::string& workDir = order_.folders.work;
    const std::string archiveName = std::string(component.Name) + ".ZIP";
    Show(std::string(component.Description));
    unzip.SetFileName(plat::JoinPath(workDir, archiveName));
    const bool missing = !plat::Current().FileExists(plat::JoinPath(workDir, archiveName));
    if (missing && order_.skipMissingModules && IsOptionalModule(archiveName)) return;
    if (JoinFailed(archiveName)) return;
    std::string folder;
    if (!DestinationOf(component, &folder)) return;
    unzip.SetDirectoryName(folder);
    unpacking_ = &component;
    unpackingFolder_ = folder;

    ExtractionWatch watch;
    record::Belongings* owner = OwnerOf(component);
    unzip.SetReportProc([this, &watch, owner](int32_t value, unzip::ExtractReport* report) {
        watch.Observe(value, *report);
        if (owner && report->Status == unzip::StatusFileDone && report->PackMethod != unzip::kPackMethodSkipped)
            record::NoteFile(*owner, report->FileName);
        switch (report->Status) {
            case unzip::StatusBytesWritten:
                bytesWritten_ += value;
                if (progressPace_.Due()) ShowUnzipProgress();
                break;
            // Each member's start and each archive's end are shown whatever the clock, so the
            // gauge ends where the work did.
            case unzip::StatusFileStart:
            case unzip::StatusArchiveDone:
                progressPace_.Shown();
                ShowUnzipProgress();
                break;
            default:
                break;
        }
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


bool CopyWork::Confirm(unzip::ExtractReport* report) {
    const std::string path(report->FileName, strnlen(report->FileName, sizeof report->FileName));
    if (!ConfirmReplace(order_.replacement, *unpacking_, unpackingFolder_, path)) return false;
    // On an upgrade, every file the copy replaces is moved aside first.
    if (!journal_ || journal_->Keep(path)) return true;
    notKept_.push_back(path);
    return false;
}

void CopyWork::ShowUnzipProgress() {
    const int percent = UnzipPercent(bytesWritten_, bytesExpected_);
    if (percent != shownPercent_ && view_.showUnzipProgress) view_.showUnzipProgress(percent);
    shownPercent_ = percent;
    reports_.KeepAlive();
}

void CopyWork::ExtractArchives() {
    const std::string& workDir = order_.folders.work;
    plat::Platform& platform = plat::Current();
    unzip::TQuarnUnzip unzip;
    unzip.SetQueryProc([this](unzip::ExtractReport* report) { return Confirm(report); });
    // The archives are named with their folder, so a working folder that cannot be made
    // current only leaves the current folder where it was.
    if (!platform.ChangeDirectory(plat::ExcludeTrailingBackslash(workDir)) && core::LogEnabled)
        core::LogNote("Nu pot trece in directorul " + workDir);
    bytesExpected_ = 0;
    bytesWritten_ = 0;
    shownPercent_ = 0;
    if (view_.showUnzipProgress) view_.showUnzipProgress(0);
    for (size_t position = 0; position < product::ComponentTable.size(); ++position) {
        const product::TCompRecord& component = product::ComponentTable[position];
        if (!product::Contains(order_.selection, int(position)) || component.Name.empty()) continue;
        unzip.SetFileName(plat::JoinPath(workDir, std::string(component.Name) + ".ZIP"));
        bytesExpected_ += unzip.ArchiveSize();
    }
    for (size_t position = 0; position < product::ComponentTable.size(); ++position) {
        const product::TCompRecord& component = product::ComponentTable[position];
        if (!product::Contains(order_.selection, int(position)) || component.Name.empty()) continue;
        ExtractComponent(unzip, component);
    }
    DeleteAssembledArchives();
}

void CopyWork::DeleteAssembledArchives() {
    plat::Platform& platform = plat::Current();
    for (const std::string& archiveName : assembled_) {
        const std::string path = plat::ExcludeTrailingBackslash(order_.folders.program) + "\\" + archiveName;
        if (!platform.FileExists(path) || platform.RemoveFile(path)) continue;
        Notice notice;
        notice.text = copytext::kCannotDelete + path;
        notice.plain = true;
        reports_.Tell(notice);
    }
}

}  // namespace work
