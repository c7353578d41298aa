// The work of the file copy pages, without their windows: request the disks one by one,
// join the archive pieces found on each into whole archives in the working folder,
// unpack the archives of a selection of components into their folders, delete the
// archives this run assembled.
//
// The fresh-install copy page and the upgrade copy page both run it; they differ in the
// selection, the overwrite query and what happens before each archive:
//
//   CopyWork work(product::ComponentSets[core::State().InstallType], view);
//   switch (work.Run(ExtractionSettings{})) { ... }
//
//   ExtractionSettings upgrade;                      // the upgrade copy page
//   upgrade.skipMissingModules = false;
//   upgrade.query = [&](unzip::ExtractReport* r) { return KeepOrReplace(r); };
//   upgrade.beforeExtract = [&](const product::TCompRecord& c, const unzip::TQuarnUnzip& u) {
//       cutLength = u.DirectoryName().size(); programArchive = c.Target == product::TargetProgram; };
//
// Before it writes, the copy checks that every drive has room for it: for the pieces
// before they are joined (when they are all in one folder), for the members before the
// first is unpacked. A drive that is short is named in a box ("Spatiu insuficient!") and
// the run fails with nothing written.
//
// A copy that fails is never reported as success: a piece that cannot be read, an
// archive that cannot be created or written, an engine folder that cannot be created, an
// archive that does not unpack whole (damaged, CRC error, disk full) is shown in an
// error box and noted in the run log, the pass goes on, and the run ends as Failed so
// that the page stays open. A missing archive is only noted in the log; Escape stops one
// archive and is no failure.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "product/Components.h"
#include "product/MediaPieces.h"
#include "journal/UpgradeJournal.h"
#include "pages/CopyPlan.h"
#include "unzip/QuarnUnzip.h"

namespace pages {

// What a copy page shows while the work runs; each may be left empty.
struct CopyView {
    std::function<void(const std::string& text)> showStatus;  // the status line, redrawn at once
    std::function<void(int disk, int diskCount)> showCopyProgress;
    std::function<void(int percent)> showUnzipProgress;
};

struct ExtractionSettings {
    // A missing VANTIR.ZIP or MIRDAN.ZIP is skipped without an attempt.
    bool skipMissingModules = true;
    // Asked before an existing file is replaced; without one every file is replaced.
    unzip::OverwriteQueryProc query;
    // Called once the component's target folder is set, just before it is unpacked.
    std::function<void(const product::TCompRecord& component, const unzip::TQuarnUnzip& unzip)> beforeExtract;
    // Which existing files the copy will replace, for what it checks beforehand (the
    // query still decides); without one, every file.
    ReplaceDecision replaces;
    // An upgrade's journal. The copy is then all or nothing: any failure, or a refused
    // disk, puts the installation back as it was; and the files it will replace are
    // first checked for other programs that hold them.
    journal::UpgradeJournal* journal = nullptr;
    // Called once every archive is unpacked, while the journal is still open, so that
    // what it writes through the journal stands or goes with the copy. False fails the
    // copy (it has told the user why).
    std::function<bool()> beforeCommit;
};

enum class CopyOutcome { Done, DiskRefused, Failed };

// The extraction gauge: written / expected x 100, rounded half to even, kept in 0..100.
int UnzipPercent(double bytesWritten, double bytesExpected);

class CopyWork {
public:
    CopyWork(product::ComponentSet selection, CopyView view);

    // Assembles, and unless a disk was refused, extracts and deletes the archives.
    CopyOutcome Run(const ExtractionSettings& settings);

    // True when disk n is present; false when the user refused it.
    bool AskForDisk(int disk);
    // Every disk asked for and its pieces joined; false when a disk was refused.
    bool AssembleArchives();
    // Appends one piece of SourceDir to its archive in WorkDir.
    void JoinPiece(const std::string& name);
    // Unpacks the selection's archives, then deletes those this run assembled.
    void ExtractArchives(const ExtractionSettings& settings);

    // Something failed in this run (and was reported).
    bool Failed() const { return failed_; }
    // The run's journal put the installation back as it was.
    bool RolledBack() const { return rolledBack_; }

private:
    CopyOutcome Copy(const ExtractionSettings& settings);
    bool EnoughSpaceForPieces();
    bool EnoughSpaceForMembers(const std::vector<PlannedMember>& plan);
    bool ShowShortfall(const DriveNeeds& needs);
    // False when the user gave up on files that other programs hold.
    bool FilesFree(const std::vector<PlannedMember>& plan);
    void FinishJournal(bool succeeded);
    // Notes in the journal that the archive is about to be (re)created.
    bool JournalArchive(const std::string& archivePath);
    // Notes in the journal every member that will be written where nothing is yet.
    bool JournalNewMembers(const std::vector<PlannedMember>& plan);
    void ReportFailure(const std::string& text);
    void Show(const std::string& text);
    bool DestinationOf(const product::TCompRecord& component, std::string* folder);
    void ExtractComponent(unzip::TQuarnUnzip& unzip, const product::TCompRecord& component,
                          const ExtractionSettings& settings);
    void DeleteAssembledArchives();
    bool Assembled(const std::string& archiveName) const;
    bool JoinFailed(const std::string& archiveName) const;

    product::ComponentSet selection_;
    CopyView view_;
    product::PieceJoiner joiner_;
    std::vector<std::string> assembled_;    // archive names as first joined, one per archive
    std::vector<std::string> failedJoins_;  // archives a piece of which could not be joined
    double bytesExpected_ = 0;
    double bytesWritten_ = 0;
    bool failed_ = false;
    bool rolledBack_ = false;
    journal::UpgradeJournal* journal_ = nullptr;
    std::vector<std::string> notKept_;  // files the journal could not move aside
};

}  // namespace pages
