// The work of the file copy pages, without their windows: request the disks one by one,
// join the archive pieces found on each into whole archives in the working folder,
// unpack the archives of a selection of components into their folders, delete the
// archives this run assembled.
//
// The fresh-install copy page and the upgrade copy page both run it, each with its own order
// (CopyOrder.h):
//
//   CopyWork work(order, view, reports);
//   switch (work.Run()) { ... }
//
// Before it writes, the copy checks that every drive has room for it: for the pieces
// before they are joined (when they are all in one folder), for the members before the
// first is unpacked. A drive that is short is named in a box ("Spatiu insuficient!") and
// the run fails with nothing written.
//
// A copy that fails is never reported as success: a piece that cannot be read, an
// archive that cannot be created or written, an engine folder that cannot be created, an
// archive that does not unpack whole (damaged, CRC error, disk full) is told (Reports.h)
// and noted in the run log, the pass goes on, and the run ends as Failed so
// that the page stays open. A missing archive is only noted in the log; Escape stops one
// archive and is no failure.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "product/Components.h"
#include "product/MediaPieces.h"
#include "ui/ProgressPace.h"
#include "unzip/QuarnUnzip.h"
#include "work/Reports.h"
#include "work/copy/CopyOrder.h"
#include "work/copy/CopyPlan.h"

namespace work {

// What a copy page shows while the work runs; each may be left empty.
struct CopyView {
    std::function<void(const std::string& text)> showStatus;  // the status line, redrawn at once
    std::function<void(int disk, int diskCount)> showCopyProgress;
    std::function<void(int percent)> showUnzipProgress;
};

// How often the extraction gauge moves while members unpack.
constexpr uint32_t kProgressEveryMs = 60;

enum class CopyOutcome { Done, DiskRefused, Failed };

// The extraction gauge: written / expected x 100, rounded half to even, kept in 0..100.
int UnzipPercent(double bytesWritten, double bytesExpected);

class CopyWork {
public:
    // `reports` tells the user of requests and failures, and keeps the windows alive.
    CopyWork(CopyOrder order, CopyView view, Reports& reports);

    // Assembles, and unless a disk was refused, extracts and deletes the archives.
    CopyOutcome Run();

    // True when disk n is present; false when the user refused it.
    bool AskForDisk(int disk);
    // Every disk asked for and its pieces joined; false when a disk was refused.
    bool AssembleArchives();
    // Appends one piece of the source folder to its archive in the working folder.
    void JoinPiece(const std::string& name);
    // Unpacks the selection's archives, then deletes those this run assembled.
    void ExtractArchives();

    // Something failed in this run (and was reported).
    bool Failed() const { return failed_; }
    // The run's journal put the installation back as it was.
    bool RolledBack() const { return rolledBack_; }
    // The engine was found older than version 4 (CopyOrder::oldEngine for the next run).
    bool OldEngine() const { return order_.oldEngine; }

private:
    CopyOutcome Copy();
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
    void ExtractComponent(unzip::TQuarnUnzip& unzip, const product::TCompRecord& component);
    // The extraction gauge where the bytes written put it, and the windows kept alive.
    void ShowUnzipProgress();
    // The engine's question before it replaces an existing file.
    bool Confirm(unzip::ExtractReport* report);
    void DeleteAssembledArchives();
    bool Assembled(const std::string& archiveName) const;
    bool JoinFailed(const std::string& archiveName) const;

    CopyOrder order_;
    bool fromFloppies_ = false;  // the source is a floppy drive: pieces come disk by disk
    CopyView view_;
    Reports& reports_;
    journal::UpgradeJournal* journal_;  // the order's, if any
    // The component being unpacked, and its folder, while the engine runs.
    const product::TCompRecord* unpacking_ = nullptr;
    std::string unpackingFolder_;
    product::PieceJoiner joiner_;
    std::vector<std::string> assembled_;    // archive names as first joined, one per archive
    std::vector<std::string> failedJoins_;  // archives a piece of which could not be joined
    double bytesExpected_ = 0;
    double bytesWritten_ = 0;
    int shownPercent_ = 0;
    // The gauge and the windows are brought up to date a few times a second while
    // members unpack, not at every block.
    ui::ProgressPace progressPace_{kProgressEveryMs};
    bool failed_ = false;
    bool rolledBack_ = false;
    std::vector<std::string> notKept_;  // files the journal could not move aside
};

}  // namespace work
